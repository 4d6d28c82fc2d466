#!/usr/bin/env python3
"""Checks of the doctrine tables 天干表, 补穴表, 地支表 and 五俞穴 and of their generators."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
DATA = ROOT / "data"
TABLES = DATA / "tables"
sys.path.insert(0, str(DATA))
sys.dont_write_bytecode = True  # leave no caches in the source tree

import gen_nagan  # noqa: E402

STEMS = "甲乙丙丁戊已庚辛壬癸"
BRANCHES = "子丑寅卯辰巳午未申酉戌亥"
DAY_MERIDIAN = dict(zip(STEMS, ["胆经", "肝经", "小肠经", "心经", "胃经", "脾经", "大肠经", "肺经", "膀胱经",
                                "肾经"]))
YIN = {"肺经", "脾经", "心经", "肾经", "心包经", "肝经"}
CATEGORIES = "井荥俞经合"
YIN_PHASES, YANG_PHASES = "木火土金水", "金水木火土"  # phase of 井 荥 俞 经 合

# 子午流注逐日按时定穴歌 (徐凤, 针灸大全), written out by hand: for each day's schedule the openings in
# order as (hour, point) or (hour, point, 返本还原 source, further source).
CLASSICAL_SONG = {
    "甲": [("甲戌", "足窍阴"), ("丙子", "前谷"), ("戊寅", "陷谷", "丘墟"), ("庚辰", "阳溪"),
          ("壬午", "委中"), ("甲申", "液门")],
    "乙": [("乙酉", "大敦"), ("丁亥", "少府"), ("已丑", "太白", "太冲"), ("辛卯", "经渠"),
          ("癸巳", "阴谷"), ("乙未", "劳宫")],
    "丙": [("丙申", "少泽"), ("戊戌", "内庭"), ("庚子", "三间", "腕骨"), ("壬寅", "昆仑"),
          ("甲辰", "阳陵泉"), ("丙午", "中渚")],
    "丁": [("丁未", "少冲"), ("已酉", "大都"), ("辛亥", "太渊", "神门"), ("癸丑", "复溜"),
          ("乙卯", "曲泉"), ("丁巳", "大陵")],
    "戊": [("戊午", "厉兑"), ("庚申", "二间"), ("壬戌", "束骨", "冲阳"), ("甲子", "阳辅"),
          ("丙寅", "小海"), ("戊辰", "支沟")],
    "已": [("已巳", "隐白"), ("辛未", "鱼际"), ("癸酉", "太溪", "太白"), ("乙亥", "中封"),
          ("丁丑", "少海"), ("已卯", "间使")],
    "庚": [("庚辰", "商阳"), ("壬午", "足通谷"), ("甲申", "足临泣", "合谷"), ("丙戌", "阳谷"),
          ("戊子", "足三里"), ("庚寅", "天井")],
    "辛": [("辛卯", "少商"), ("癸巳", "然谷"), ("乙未", "太冲", "太渊"), ("丁酉", "灵道"),
          ("已亥", "阴陵泉"), ("辛丑", "曲泽")],
    "壬": [("壬寅", "至阴"), ("甲辰", "侠溪"), ("丙午", "后溪", "京骨", "阳池"), ("戊申", "解溪"),
          ("庚戌", "曲池"), ("壬子", "关冲")],
    "癸": [("癸亥", "涌泉"), ("乙丑", "行间"), ("丁卯", "神门", "太溪", "大陵"), ("已巳", "商丘"),
          ("辛未", "尺泽"), ("癸酉", "中冲")],
}

# Hours closed on both partner days, with the point the 一四二五三〇 rule gives them.
BOTH_CLOSED = {"庚午": "阳溪", "壬申": "委中", "辛巳": "经渠", "癸未": "太溪", "壬辰": "昆仑",
               "甲午": "足临泣", "癸卯": "然谷", "乙巳": "太冲", "甲寅": "侠溪", "丙辰": "后溪",
               "已未": "商丘", "辛酉": "尺泽"}

BRANCH_MERIDIAN = dict(zip(BRANCHES, ["胆经", "肝经", "肺经", "大肠经", "胃经", "脾经", "心经", "小肠经",
                                      "膀胱经", "肾经", "心包经", "三焦经"]))
MERIDIAN_PHASE = {"胆经": "木", "肝经": "木", "肺经": "金", "大肠经": "金", "胃经": "土", "脾经": "土",
                  "心经": "火", "小肠经": "火", "膀胱经": "水", "肾经": "水", "心包经": "火", "三焦经": "火"}
GENERATING = "木火土金水"


def read_table(name):
    """The rows of a table source as dicts keyed by the header's column names."""
    lines = (TABLES / name).read_text(encoding="utf-8").split("\n")
    lines = [l for l in lines if l and not l.startswith("#")]
    header = lines[0].split("\t")
    return [dict(zip(header, l.split("\t"))) for l in lines[1:]]


def phase_of(meridian, category):
    return (YIN_PHASES if meridian in YIN else YANG_PHASES)[CATEGORIES.index(category)]


def source_of(wushu_row):
    return wushu_row["原"]


# 以输代原: a yin meridian's stream point serves as its source.
YIN_SOURCES = {"肺经": "太渊", "脾经": "太白", "心经": "神门", "肾经": "太溪", "心包经": "大陵", "肝经": "太冲"}


def absolute_hour(day, hour):
    """Position 0..119 of a (day stem, hour stem-branch) pair in the ten-day round."""
    return 12 * STEMS.index(day) + BRANCHES.index(hour[1])


def expected_duty_meridians():
    """值日经 of all 120 hours from the song: a schedule is on duty from its well to its last opening
    (eleven hours); an hour outside every schedule keeps its own day's meridian."""
    duty = {h: DAY_MERIDIAN[STEMS[h // 12]] for h in range(120)}
    for day, openings in CLASSICAL_SONG.items():
        well = absolute_hour(day, openings[0][0])  # every well opens on its schedule's own day
        for h in range(well, well + 11):
            duty[h % 120] = DAY_MERIDIAN[day]
    return duty


class DoctrineTables(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tiangan = read_table("tiangan.tsv")
        cls.buxue = read_table("buxue.tsv")
        cls.dizhi = read_table("dizhi.tsv")
        cls.wushu = {row["经络"]: row for row in read_table("wushu.tsv")}

    def test_tiangan_has_120_rows_half_open(self):
        keys = [(r["实际日"], r["实际时辰"]) for r in self.tiangan]
        # Five-rat rule: the 子 hour stem of day d is stem 2d; hours run on from it.
        expected = [(STEMS[d], STEMS[(2 * d + b) % 10] + BRANCHES[b]) for d in range(10) for b in range(12)]
        self.assertEqual(keys, expected)
        closed = [r for r in self.tiangan if r["经脉"] == "闭"]
        self.assertEqual((len(self.tiangan), len(closed)), (120, 60))
        for r in closed:
            self.assertEqual([r[c] for c in ("五行", "五俞", "穴位", "过原", "兼过原穴")], [""] * 5, r)
        for r in self.tiangan:
            if r["经脉"] != "闭":
                self.assertTrue(r["穴位"] and r["五行"] and r["五俞"], r)
        for name in ("tiangan.tsv", "buxue.tsv", "dizhi.tsv", "wushu.tsv"):
            self.assertNotIn("己", (TABLES / name).read_text(encoding="utf-8"), name)

    def test_duty_meridian_is_the_running_schedule_in_every_row(self):
        duty = expected_duty_meridians()
        for table in (self.tiangan, self.buxue):
            for r in table:
                self.assertEqual(r["值日经"], duty[absolute_hour(r["实际日"], r["实际时辰"])], r)
        by_key = {(r["实际日"], r["实际时辰"]): r["值日经"] for r in self.tiangan}
        # The hand-offs written out: 甲子 to 癸酉 of a 甲 day still run the 癸 schedule; the ten hours
        # between the 壬 schedule's end (壬子) and the 癸 well (癸亥) belong to no schedule and keep 肾经.
        self.assertEqual([by_key[("甲", h)] for h in ("甲子", "丙寅", "癸酉", "甲戌", "乙亥")],
                         ["肾经", "肾经", "肾经", "胆经", "胆经"])
        self.assertEqual([by_key[("乙", h)] for h in ("丁丑", "甲申", "乙酉")], ["胆经", "胆经", "肝经"])
        self.assertEqual({by_key[("癸", STEMS[(18 + b) % 10] + BRANCHES[b])] for b in range(1, 11)}, {"肾经"})
        self.assertEqual((by_key[("癸", "壬子")], by_key[("癸", "癸亥")]), ("膀胱经", "肾经"))

    def test_generators_reproduce_committed_tables(self):
        with tempfile.TemporaryDirectory() as out:
            for script in ("gen_nagan.py", "gen_nazhi.py"):
                subprocess.run([sys.executable, "-B", str(DATA / script), "--out", out], check=True)
            for name in ("tiangan.tsv", "buxue.tsv", "dizhi.tsv", "wushu.tsv"):
                fresh = (pathlib.Path(out) / name).read_bytes()
                self.assertEqual(fresh, (TABLES / name).read_bytes(), name + " differs from its generator")

    def test_generator_follows_classical_song(self):
        expected = {}
        for schedule_day, openings in CLASSICAL_SONG.items():
            day, last_branch = STEMS.index(schedule_day), -1
            for hour, point, *sources in openings:
                if BRANCHES.index(hour[1]) < last_branch:
                    day = (day + 1) % 10  # the schedule has run past midnight into the next day
                last_branch = BRANCHES.index(hour[1])
                sources += [""] * (2 - len(sources))
                expected[(STEMS[day], hour)] = (DAY_MERIDIAN[schedule_day], point, *sources)
        header = gen_nagan.TIANGAN_HEADER
        generated = {}
        for row in gen_nagan.tiangan_rows(gen_nagan.openings_by_hour()):
            r = dict(zip(header, row))
            if r["经脉"] != "闭":
                generated[(r["实际日"], r["实际时辰"])] = (r["值日经"], r["穴位"], r["过原"], r["兼过原穴"])
        self.assertEqual(generated, expected)

    def test_points_exist_on_their_meridians_with_their_category(self):
        path = TABLES / "jingluo.tsv"
        self.assertTrue(path.exists(), "经络表 source is missing")
        jingluo = {(r["穴位"], r["经脉"]) for r in read_table("jingluo.tsv")}

        def check(point, meridian, where):
            self.assertIn((point, meridian[:-1]), jingluo, where)

        for meridian, row in self.wushu.items():
            for column in ("井", "荥", "俞", "经", "合", "原"):
                if row[column]:
                    check(row[column], meridian, (meridian, column))
            if meridian in YIN:
                self.assertEqual((row["原"], row["俞"]), (YIN_SOURCES[meridian],) * 2, meridian)
            else:
                self.assertNotIn(row["原"], ("", row["俞"]), meridian)
        self.assertEqual(len(self.wushu), 12)
        for r in [r for r in self.tiangan if r["经脉"] != "闭"] + self.buxue:
            check(r["穴位"], r["经脉"], r)
            self.assertEqual(self.wushu[r["经脉"]][r["五俞"]], r["穴位"], r)
            self.assertEqual(r["五行"], phase_of(r["经脉"], r["五俞"]), r)
            if r.get("过原"):
                self.assertEqual((r["五俞"], r["过原"]), ("俞", source_of(self.wushu[r["值日经"]])), r)
            if r.get("兼过原穴"):
                lodged = {"膀胱经": "三焦经", "肾经": "心包经"}[r["值日经"]]
                self.assertEqual(r["兼过原穴"], source_of(self.wushu[lodged]), r)
        for r in self.dizhi:
            for column in ("本穴", "原穴", "泻穴"):
                check(r[column], r["本经"], (r["时辰"], column))
            check(r["补穴"], r["补穴经"], (r["时辰"], "补穴"))

    def test_every_closed_pair_has_a_buxue_row(self):
        tiangan = {(r["实际日"], r["实际时辰"]): r for r in self.tiangan}
        closed = [k for k, r in tiangan.items() if r["经脉"] == "闭"]
        self.assertEqual([(r["实际日"], r["实际时辰"]) for r in self.buxue], closed)
        for r in self.buxue:
            day, hour = r["实际日"], r["实际时辰"]
            self.assertEqual(r["值日经"], tiangan[(day, hour)]["值日经"], r)
            partner = tiangan[(STEMS[(STEMS.index(day) + 5) % 10], hour)]
            if partner["经脉"] != "闭":  # 合日互用 comes first
                self.assertEqual((r["经脉"], r["穴位"]), (partner["经脉"], partner["穴位"]), r)
            else:
                self.assertEqual(r["穴位"], BOTH_CLOSED.get(hour), r)
        self.assertEqual(sum(r["实际时辰"] in BOTH_CLOSED for r in self.buxue), 24)

    def test_dizhi_covers_twelve_branches(self):
        self.assertEqual([r["时辰"] for r in self.dizhi], list(BRANCHES))
        def point_at(meridian, shift):
            """The transport point whose phase lies `shift` generating steps from the meridian's own."""
            phase = GENERATING[(GENERATING.index(MERIDIAN_PHASE[meridian]) + shift) % 5]
            return next(self.wushu[meridian][c] for c in CATEGORIES if phase_of(meridian, c) == phase)

        for i, r in enumerate(self.dizhi):
            meridian = r["本经"]
            self.assertEqual(meridian, BRANCH_MERIDIAN[r["时辰"]])
            self.assertEqual((r["本穴"], r["泻穴"]), (point_at(meridian, 0), point_at(meridian, 1)), r)
            self.assertEqual(r["原穴"], source_of(self.wushu[meridian]), r)
            # The meridian of the hour just passed is tonified at its mother point.
            self.assertEqual(r["补穴经"], self.dizhi[i - 1]["本经"], r)
            self.assertEqual(r["补穴"], point_at(r["补穴经"], -1), r)
        self.assertEqual((self.dizhi[3]["补穴"], self.dizhi[3]["补穴经"]), ("太渊", "肺经"))


if __name__ == "__main__":
    unittest.main()
