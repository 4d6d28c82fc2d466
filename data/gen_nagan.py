#!/usr/bin/env python3
"""Generates 天干表 (the stem method after Xu, tiangan.tsv) and 补穴表 (its closed-hour points, buxue.tsv).

The schedule is derived from the doctrine's rules rather than typed in, and the generator stops with an
assertion when the rules contradict each other (two openings in one hour, a phase out of sequence), so a
slip in the transport-point data cannot slip into the tables.

Usage: python3 data/gen_nagan.py [--out DIR]   (DIR defaults to data/tables beside this script)
"""
import argparse
import pathlib

from doctrine import (BRANCHES, CATEGORIES, STEMS, STEM_MERIDIAN, MERIDIAN_PHASE, TRANSPORT_POINTS,
                      category_phase, child, is_yin, long_form, mother, point_of_phase, source_point,
                      write_table)

# Hours are counted 0..119 over the ten days: hour h lies on day h // 12; its stem is h % 10 and its
# branch h % 12. Twelve and ten make the stems follow the five-rat rule: 甲/已 days start at 甲子,
# 乙/庚 at 丙子, 丙/辛 at 戊子, 丁/壬 at 庚子, 戊/癸 at 壬子.
HOURS = 120
GUI = STEMS.index("癸")
REN = STEMS.index("壬")

TIANGAN_HEADER = ["实际日", "实际时辰", "值日经", "经脉", "五行", "五俞", "穴位", "过原", "兼过原穴"]
BUXUE_HEADER = ["实际日", "实际时辰", "经脉", "五行", "五俞", "穴位", "值日经"]

# 一四二五三〇: the categories opened by the six hours of one stem, from its well hour on, each hour two
# branches after the one before (井=1 荥=2 俞=3 经=4 合=5; 0 = the point lodged in 三焦 or 心包).
YISI_ERWU_SANLING = [0, 3, 1, 4, 2, None]


def ganzhi(hour):
    return STEMS[hour % 10] + BRANCHES[hour % 12]


def well_hour(day):
    """The hour the day's own meridian opens its well point.

    阳进阴退: the hour stem is the day stem and the branch goes back one place from day to day
    (甲戌, 乙酉, 丙申 … 壬寅). The 癸 day does not take 癸丑, where the progression would put it: the
    classical schedule opens 涌泉 at 癸亥, the last hour of the 癸 day and of the sixty-hour cycle.
    """
    if day == GUI:
        return 12 * day + BRANCHES.index("亥")
    return 12 * day + (BRANCHES.index("戌") - day) % 12


def next_meridian(meridian):
    """经生经: the meridian of the same polarity whose phase the given one generates."""
    for candidate in STEM_MERIDIAN:
        if is_yin(candidate) == is_yin(meridian) and MERIDIAN_PHASE[candidate] == child(
                MERIDIAN_PHASE[meridian]):
            return candidate
    raise ValueError(meridian)


def schedule(day):
    """The six openings of one day's schedule as dicts, in hour order."""
    day_meridian = STEM_MERIDIAN[day]
    openings = []
    hour, meridian = well_hour(day), day_meridian
    for category in range(5):
        # The opened meridian is always the hour stem's; stepping two hours keeps yang with yang.
        assert STEM_MERIDIAN[hour % 10] == meridian and hour % 2 == day % 2, (day, hour)
        opening = {"hour": hour % HOURS, "meridian": meridian, "category": category,
                   "point": TRANSPORT_POINTS[meridian][category], "source": "", "extra_source": ""}
        if category == 2:  # 返本还原: the day meridian's source opens with the stream point
            opening["source"] = source_point(day_meridian)
            if day in (REN, GUI):  # 三焦 is lodged with 壬, 心包 with 癸
                opening["extra_source"] = source_point("三焦" if day == REN else "心包")
        openings.append(opening)
        if category < 4:
            previous_phase = category_phase(meridian, category)
            hour, meridian = hour + 2, next_meridian(meridian)
            assert category_phase(meridian, category + 1) == child(previous_phase)  # 穴生穴
    # 日干重见: ten hours after the well hour the day stem returns. A yang day lets the qi enter
    # 三焦 at the point that generates the day's phase (他生我); a yin day returns the blood to 心包
    # at the point that the day's phase generates (我生他).
    day_phase = MERIDIAN_PHASE[day_meridian]
    lodged, phase = ("心包", child(day_phase)) if is_yin(day_meridian) else ("三焦", mother(day_phase))
    category, point = point_of_phase(lodged, phase)
    openings.append({"hour": (well_hour(day) + 10) % HOURS, "meridian": lodged, "category": category,
                     "point": point, "source": "", "extra_source": ""})
    return openings


def openings_by_hour():
    """Every opening of the ten schedules keyed by its actual hour, with the schedule's day."""
    opened = {}
    for day in range(10):
        for opening in schedule(day):
            assert opening["hour"] not in opened, ganzhi(opening["hour"])
            opened[opening["hour"]] = dict(opening, day=day)
    assert len(opened) == 60
    return opened


def running_cycle(hour):
    """The day whose schedule runs at an hour; 值日经 is that day's meridian.

    A schedule runs eleven hours, from the hour its well point opens to the hour its qi or blood is
    lodged in 三焦 or 心包 (甲戌 to 甲申 for 甲). The schedules of 甲 to 壬 hand over without a gap, so the
    day stem of the hour says nothing: on a 甲 day, 甲子 to 癸酉 still belong to the 癸 schedule opened at
    癸亥 the evening before, and 胆经 takes over at 甲戌. The only hours outside every schedule are the ten
    closed hours 癸丑 to 壬戌 of the 癸 day, after 壬子 has lodged the 壬 schedule in 三焦: 阳进阴退 would
    open the 癸 well at 癸丑, the song delays it to 癸亥, and the hours between are the 癸 day's own (肾经).
    """
    running = [day for day in range(10) if (hour - well_hour(day)) % HOURS <= 10]
    assert len(running) <= 1, ganzhi(hour)
    if not running:
        assert hour // 12 == GUI and ganzhi(hour) not in ("癸亥", "壬子"), ganzhi(hour)
        return GUI
    return running[0]


def point_fields(meridian, category, point):
    return [long_form(meridian), category_phase(meridian, category), CATEGORIES[category], point]


def tiangan_rows(opened):
    rows = []
    for hour in range(HOURS):
        actual_day = hour // 12
        key = [STEMS[actual_day], ganzhi(hour)]
        o = opened.get(hour)
        duty = long_form(STEM_MERIDIAN[running_cycle(hour)])
        if o is None:
            rows.append(key + [duty, "闭", "", "", "", "", ""])
        else:
            assert o["day"] == running_cycle(hour), ganzhi(hour)
            rows.append(key + [duty] +
                        point_fields(o["meridian"], o["category"], o["point"]) +
                        [o["source"], o["extra_source"]])
    return rows


def yisi_erwu_sanling(hour):
    """The point of the 一四二五三〇 rule for an hour: it depends on the hour's stem-branch alone."""
    stem = hour % 10
    steps = (hour - well_hour(stem)) % 12
    assert steps % 2 == 0
    category = YISI_ERWU_SANLING[steps // 2]
    if category is None:
        lodged = schedule(stem)[5]
        return lodged["meridian"], lodged["category"], lodged["point"]
    meridian = STEM_MERIDIAN[stem]
    return meridian, category, TRANSPORT_POINTS[meridian][category]


def buxue_rows(opened):
    """A point for each closed hour, and how many rows each rule filled."""
    rows, counts = [], {"partner": 0, "yisi": 0}
    for hour in range(HOURS):
        if hour in opened:
            continue
        actual_day = hour // 12
        partner = opened.get((hour + 60) % HOURS)  # the partner day five days on has the same hours
        if partner is not None:
            fields = (partner["meridian"], partner["category"], partner["point"])
            counts["partner"] += 1
        else:
            fields = yisi_erwu_sanling(hour)
            counts["yisi"] += 1
        rows.append([STEMS[actual_day], ganzhi(hour)] + point_fields(*fields) +
                    [long_form(STEM_MERIDIAN[running_cycle(hour)])])
    return rows, counts


def both_closed_hours(opened):
    """Hour stem-branches closed on both partner days, grouped by the pair of days."""
    groups = []
    for day in range(5):
        hours = [ganzhi(h) for h in range(12 * day, 12 * day + 12)
                 if h not in opened and h + 60 not in opened]
        groups.append(STEMS[day] + STEMS[day + 5] + "日" + "、".join(hours))
    return "；".join(groups)


TIANGAN_COMMENTS = [
    "天干表：纳甲法（徐氏）逐日按时定穴，十个实际日干各十二时辰，共120行（开穴60行，闭穴60行）。",
    "来源：明·徐凤《针灸大全》所载子午流注逐日按时定穴歌；由 data/gen_nagan.py 依其规则推出，请改脚本后重新生成，勿手改。",
    "规则：阳日阳时开阳经，阴日阴时开阴经；各经于本日干之时开井穴，逐日阳进阴退（甲戌、乙酉、丙申……壬寅），癸日则始于癸亥；"
    "此后每隔一时辰经生经、穴生穴，依次开荥、俞、经、合；开俞穴时返本还原，并过值日经之原穴（阴经以俞代原）；"
    "日干重见之时，阳日气纳三焦（取生日干五行之穴，他生我），阴日血归包络（取日干五行所生之穴，我生他）；"
    "三焦寄壬、包络归癸，故壬日丙午后溪兼过阳池，癸日丁卯神门兼过大陵。",
    "列：实际日、实际时辰为开穴实际所在之日干与时辰干支（时干依五鼠遁）；值日经为该时辰正在流注之日程所属之经："
    "某日之经自其井穴开时起值，至其日干重见、气血纳入三焦包络时止，开穴、闭穴同此（如甲日甲子至癸酉仍属癸日之程，记肾经，"
    "甲戌开足窍阴起记胆经；乙日丙子前谷仍记胆经）；各日之程自井穴至气纳三焦、血归包络共十一时辰，前后相接；"
    "唯癸日癸丑至壬戌十个闭穴时辰在壬日之程（壬子纳三焦）之后、癸日之程（癸亥开涌泉）之前，不属任何日程，记本日之经肾经；"
    "经脉为\u201c闭\u201d者为闭穴，其五行、五俞、穴位、过原、兼过原穴皆空。第六天干写作\u201c已\u201d。",
]


def buxue_comments(opened, counts):
    return [
        "补穴表：天干表60个闭穴时辰的补用穴位，键同天干表（实际日、实际时辰），值日经同天干表该时辰（正在流注之日程所属之经）。",
        "由 data/gen_nagan.py 推出，请改脚本后重新生成，勿手改。两法依次使用：",
        "一、合日互用（夫妻互用）：甲已、乙庚、丙辛、丁壬、戊癸五合之日，时辰干支全同；本日闭穴而合日同一时辰干支开穴者，"
        "取合日所开之穴及其经脉、五行、五俞。此即明代针灸书所说子午流注夫妻子母互用之法"
        "（李梴《医学入门》论闭穴：夫闭针妻、妻闭针夫）。本法补%d行。" % counts["partner"],
        "二、一四二五三〇规律（现代子午流注闭穴开穴文献所载）：用于两合日皆闭之时辰（%s）。" % both_closed_hours(opened) +
        "按时干取穴：每一天干领六个同干时辰，自该干之经开井穴的时辰起，时支每进二位，依次为本经之一井、四经、二荥、五合、三俞，"
        "第六时（〇）为日干重见所纳之三焦或心包穴；相邻二穴，后者之五行克前者。例：甲午在甲戌（井）、甲子（经）、甲寅（荥）、"
        "甲辰（合）之后，为六甲第五时，取胆经俞穴足临泣。本法补%d行。" % counts["yisi"],
        "两法之外无未补之闭穴。",
    ]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=pathlib.Path,
                        default=pathlib.Path(__file__).resolve().parent / "tables")
    out = parser.parse_args().out
    opened = openings_by_hour()
    write_table(out / "tiangan.tsv", TIANGAN_COMMENTS, TIANGAN_HEADER, tiangan_rows(opened))
    rows, counts = buxue_rows(opened)
    assert len(rows) == 60 and counts["partner"] + counts["yisi"] == 60
    write_table(out / "buxue.tsv", buxue_comments(opened, counts), BUXUE_HEADER, rows)


if __name__ == "__main__":
    main()
