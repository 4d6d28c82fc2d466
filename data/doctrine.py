"""Shared doctrine facts for the table generators: stems, branches, phases and the transport points.

Everything here is textbook knowledge of the midday-midnight flow doctrine; the generators derive the
opening schedules from it so that no table states a point the others contradict.
"""

STEMS = "甲乙丙丁戊已庚辛壬癸"  # the sixth stem is written 已 in every table
BRANCHES = "子丑寅卯辰巳午未申酉戌亥"
PHASES = "木火土金水"  # in generating order: each phase generates the next
CATEGORIES = "井荥俞经合"

# Day (and hour) stem -> meridian, short form: 甲胆乙肝丙小肠丁心戊胃已脾庚大肠辛肺壬膀胱癸肾.
STEM_MERIDIAN = ["胆", "肝", "小肠", "心", "胃", "脾", "大肠", "肺", "膀胱", "肾"]

YIN_MERIDIANS = {"肺", "脾", "心", "肾", "心包", "肝"}

# The phase each meridian belongs to (心包 and 三焦 carry the minister fire).
MERIDIAN_PHASE = {
    "胆": "木", "肝": "木", "小肠": "火", "心": "火", "胃": "土", "脾": "土",
    "大肠": "金", "肺": "金", "膀胱": "水", "肾": "水", "心包": "火", "三焦": "火",
}

# 井 荥 俞 经 合, then the source point: the yang meridians have their own, a yin meridian's 俞 point
# serves as its source (以输代原). Rows in the flow order of the twelve meridians.
TRANSPORT_POINTS = {
    "肺": ("少商", "鱼际", "太渊", "经渠", "尺泽", "太渊"),
    "大肠": ("商阳", "二间", "三间", "阳溪", "曲池", "合谷"),
    "胃": ("厉兑", "内庭", "陷谷", "解溪", "足三里", "冲阳"),
    "脾": ("隐白", "大都", "太白", "商丘", "阴陵泉", "太白"),
    "心": ("少冲", "少府", "神门", "灵道", "少海", "神门"),
    "小肠": ("少泽", "前谷", "后溪", "阳谷", "小海", "腕骨"),
    "膀胱": ("至阴", "足通谷", "束骨", "昆仑", "委中", "京骨"),
    "肾": ("涌泉", "然谷", "太溪", "复溜", "阴谷", "太溪"),
    "心包": ("中冲", "劳宫", "大陵", "间使", "曲泽", "大陵"),
    "三焦": ("关冲", "液门", "中渚", "支沟", "天井", "阳池"),
    "胆": ("足窍阴", "侠溪", "足临泣", "阳辅", "阳陵泉", "丘墟"),
    "肝": ("大敦", "行间", "太冲", "中封", "曲泉", "太冲"),
}


def long_form(meridian):
    """The spelling with 经 used by every doctrine table except 经络表."""
    return meridian + "经"


def is_yin(meridian):
    return meridian in YIN_MERIDIANS


def category_phase(meridian, category):
    """Phase of a transport category: yin 井木荥火俞土经金合水, yang 井金荥水俞木经火合土."""
    start = 0 if is_yin(meridian) else PHASES.index("金")
    return PHASES[(start + category) % 5]


def point_of_phase(meridian, phase):
    """Category index and name of the transport point of the given phase on a meridian."""
    for category in range(5):
        if category_phase(meridian, category) == phase:
            return category, TRANSPORT_POINTS[meridian][category]
    raise ValueError(phase)


def mother(phase):
    """The phase that generates the given one."""
    return PHASES[(PHASES.index(phase) - 1) % 5]


def child(phase):
    """The phase that the given one generates."""
    return PHASES[(PHASES.index(phase) + 1) % 5]


def source_point(meridian):
    """原穴: the yang meridians have their own; on a yin meridian the 俞 point serves as source."""
    points = TRANSPORT_POINTS[meridian]
    assert points[5] and (not is_yin(meridian) or points[5] == points[2]), meridian
    return points[5]


def write_table(path, comments, header, rows):
    """One table source: '#' comment lines, the header, then the rows; UTF-8 with LF line ends."""
    lines = ["# " + c for c in comments]
    lines.append("\t".join(header))
    for row in rows:
        assert len(row) == len(header) and not any("\t" in f or "\n" in f for f in row), row
        lines.append("\t".join(row))
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("\n".join(lines) + "\n")
