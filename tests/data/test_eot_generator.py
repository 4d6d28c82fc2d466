#!/usr/bin/env python3
"""The equation-of-time table: it is what the generator makes, and its run has the almanac's shape."""

import datetime
import math
import os
import re
import subprocess
import sys
import tempfile
import unittest

ROOT = os.getcwd()
GENERATOR = os.path.join(ROOT, "data", "gen_eot.py")
TABLE = os.path.join(ROOT, "src", "calendar", "eot_table.inc")
MINUS = "\uff0d"
ROW = re.compile(r'^\{"([^"]*)", "([^"]*)"\},$')
VALUE = re.compile("^([+" + MINUS + r"])(\d+)分( ?)(\d+)秒$")


def read_table():
    with open(TABLE, encoding="utf-8") as f:
        lines = [line.rstrip("\n") for line in f if not line.startswith("//")]
    rows = []
    for line in lines:
        m = ROW.match(line)
        if not m:
            raise AssertionError("not a table row: %r" % line)
        rows.append((m.group(1), m.group(2)))
    return rows


def seconds(value):
    m = VALUE.match(value)
    if not m:
        raise AssertionError("not a value: %r" % value)
    size = int(m.group(2)) * 60 + int(m.group(4))
    return -size if m.group(1) == MINUS else size


def spencer_seconds(day_index):
    """An independent equation of time (Spencer's Fourier series), good to about half a minute."""
    b = 2 * math.pi * day_index / 366
    minutes = 229.18 * (
        0.000075
        + 0.001868 * math.cos(b)
        - 0.032077 * math.sin(b)
        - 0.014615 * math.cos(2 * b)
        - 0.040849 * math.sin(2 * b)
    )
    return minutes * 60


class GeneratedTableIsCommitted(unittest.TestCase):
    def test_regenerating_gives_the_committed_file(self):
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "eot_table.inc")
            subprocess.run([sys.executable, GENERATOR, "--out", out], check=True)
            with open(out, "rb") as a, open(TABLE, "rb") as b:
                self.assertEqual(a.read(), b.read(), "run data/gen_eot.py and commit its output")


class TableForm(unittest.TestCase):
    def setUp(self):
        self.rows = read_table()

    def test_one_row_per_day_of_a_leap_year_in_calendar_order(self):
        start = datetime.date(2024, 1, 1)
        expected = ["%d月%d日" % (d.month, d.day) for d in (start + datetime.timedelta(i) for i in range(366))]
        self.assertEqual([k for k, _ in self.rows], expected)

    def test_values_are_in_normal_form_except_the_almanac_irregulars(self):
        irregular = {"3月5日", "10月9日", "11月17日"}
        for key, value in self.rows:
            m = VALUE.match(value)
            self.assertIsNotNone(m, key)
            if key in irregular:
                continue
            self.assertEqual(m.group(3), "", key)
            self.assertLess(int(m.group(4)), 60, key)
            self.assertEqual(value, "%s%d分%d秒" % (m.group(1), int(m.group(2)), int(m.group(4))), key)
            self.assertNotIn("-", value, key)

    def test_telling_rows_come_out_exactly(self):
        table = dict(self.rows)
        telling = {
            "1月1日": MINUS + "3分9秒",
            "2月10日": MINUS + "14分15秒",
            "2月29日": MINUS + "12分8秒",
            "3月5日": MINUS + "11分 1秒",
            "4月14日": "+0分13秒",
            "5月12日": "+3分42秒",
            "6月11日": "+0分1秒",
            "7月1日": MINUS + "4分22秒",
            "7月21日": MINUS + "6分29秒",
            "9月1日": "+1分0秒",
            "10月9日": "+12分60秒",
            "11月2日": "+16分25秒",
            "11月17日": "+14分60秒",
            "12月24日": "+0分23秒",
            "12月31日": MINUS + "3分3秒",
        }
        for key, value in telling.items():
            self.assertEqual(table[key], value, key)


class TableRun(unittest.TestCase):
    def setUp(self):
        self.rows = read_table()
        self.keys = [k for k, _ in self.rows]
        self.values = [seconds(v) for _, v in self.rows]

    def at(self, key):
        return self.values[self.keys.index(key)]

    def span(self, first, last):
        return self.values[self.keys.index(first) : self.keys.index(last) + 1]

    def test_smooth_from_day_to_day_across_the_new_year_too(self):
        for i in range(366):
            step = abs(self.values[(i + 1) % 366] - self.values[i])
            self.assertLessEqual(step, 30, "%s -> %s" % (self.keys[i], self.keys[(i + 1) % 366]))

    def test_sign_changes_only_at_the_four_crossings(self):
        signs = [v[0] for _, v in self.rows]
        changes = [self.keys[i + 1] for i in range(365) if signs[i] != signs[i + 1]]
        self.assertEqual(len(changes), 4, changes)
        self.assertEqual(changes[0], "4月14日")
        self.assertEqual(changes[1], "6月12日")
        self.assertIn(changes[2], ["8月%d日" % d for d in range(20, 32)] + ["9月1日"])
        self.assertEqual(changes[3], "12月25日")

    def test_extremes_lie_where_the_almanac_puts_them(self):
        self.assertEqual(min(self.values), self.at("2月10日"))
        self.assertEqual(max(self.values), self.at("11月2日"))
        spring = self.span("4月14日", "6月11日")
        self.assertEqual(max(spring), self.at("5月12日"))
        self.assertEqual(set(self.span("5月10日", "5月13日")), {self.at("5月12日")})
        self.assertLess(self.at("5月9日"), self.at("5月12日"))
        self.assertLess(self.at("5月14日"), self.at("5月12日"))
        summer = self.span("6月12日", "8月25日")
        self.assertEqual(min(summer), self.at("7月21日"))
        self.assertEqual(set(self.span("7月21日", "7月24日")), {self.at("7月21日")})
        self.assertGreater(self.at("7月20日"), self.at("7月21日"))
        self.assertGreater(self.at("7月25日"), self.at("7月21日"))

    def test_stays_close_to_an_independent_astronomical_curve(self):
        for i, value in enumerate(self.values):
            self.assertLess(abs(value - spencer_seconds(i)), 90, self.keys[i])


if __name__ == "__main__":
    unittest.main()
