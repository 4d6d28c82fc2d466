#!/usr/bin/env python3
"""Consistency checks of the shipped point tables 经络表 and 穴位说明."""
import collections
import pathlib
import unittest

TABLES = pathlib.Path(__file__).resolve().parents[2] / "data" / "tables"

EXPECTED_COUNTS = {
    "肺": 11, "大肠": 20, "胃": 45, "脾": 21, "心": 9, "小肠": 19,
    "膀胱": 67, "肾": 27, "心包": 9, "三焦": 23, "胆": 44, "肝": 14,
}


def read_tsv(name):
    """Header and rows of a table source; raw lines are kept to spot stray tabs."""
    text = (TABLES / name).read_bytes().decode("utf-8")
    lines = [l for l in text.split("\n") if l and not l.startswith("#")]
    header = lines[0].split("\t")
    return header, [l.split("\t") for l in lines[1:]]


class PointTables(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.jl_header, cls.jl = read_tsv("jingluo.tsv")
        cls.xw_header, cls.xw = read_tsv("xuewei.tsv")

    def test_headers_and_field_counts(self):
        self.assertEqual(self.jl_header, ["穴位", "经脉", "forder"])
        self.assertEqual(self.xw_header, ["穴位", "图片路径", "穴位说明"])
        # A tab inside a field shows up as an extra field; a CR as a leftover.
        for row in self.jl:
            self.assertEqual(len(row), 3, row)
        for row in self.xw:
            self.assertEqual(len(row), 3, row[0])
            self.assertFalse(any("\r" in f for f in row), row[0])

    def test_counts_per_meridian(self):
        counts = collections.Counter(row[1] for row in self.jl)
        self.assertEqual(dict(counts), EXPECTED_COUNTS)

    def test_forder_has_no_gaps(self):
        orders = collections.defaultdict(list)
        for name, meridian, forder in self.jl:
            orders[meridian].append(int(forder))
        for meridian, values in orders.items():
            self.assertEqual(sorted(values), list(range(1, len(values) + 1)), meridian)

    def test_meridian_names_unique(self):
        names = [row[0] for row in self.jl]
        dupes = [n for n, c in collections.Counter(names).items() if c > 1]
        self.assertEqual(dupes, [])

    def test_texts_fit_gbk(self):
        # The program stores and shows these texts in GBK; a character outside it is lost.
        for name in ("jingluo.tsv", "xuewei.tsv"):
            (TABLES / name).read_text(encoding="utf-8").encode("gbk")

    def test_standard_spelling_of_qinglingyuan_everywhere(self):
        # 清泠渊 is the standard name; the old 清冷渊 is accepted as input only, never shipped.
        self.assertIn(["清泠渊", "三焦", "11"], self.jl)
        old = "清冷渊"
        for path in (TABLES.parent).rglob("*"):
            if path.is_file() and path.suffix in (".tsv", ".txt", ".py", ".sql", ".ini"):
                raw = path.read_bytes()
                for encoding in ("utf-8", "gbk"):
                    self.assertNotIn(old.encode(encoding), raw, path)

    def test_descriptions_cover_every_point_once(self):
        names = [row[0] for row in self.xw]
        dupes = [n for n, c in collections.Counter(names).items() if c > 1]
        self.assertEqual(dupes, [])
        expected = {row[0] for row in self.jl} | {"临泣"}
        self.assertEqual(set(names), expected)
        for name, path, text in self.xw:
            self.assertEqual(path, "", name)
            self.assertTrue(text.startswith("【定位】"), name)


if __name__ == "__main__":
    unittest.main()
