#!/usr/bin/env python3
"""Generates src/calendar/eot_table.inc, the equation-of-time table (one row per day of a leap year).

The program carries an almanac-style table rather than computing the equation of time. The table is
fixed by a handful of rows every practitioner's almanac agrees on (ANCHORS); the days between them
follow the astronomical curve. So the values are made in two stages:

1. The equation of time from Meeus' low-precision solar formula (Astronomical Algorithms, ch. 28),
   at 12:00 UT of every day of the leap year 2024, in seconds.
2. A correction that makes every anchor row come out exactly as written, interpolated linearly
   between neighbouring anchors, so the run keeps the shape of the astronomical curve.

Values are rounded to whole seconds and written as sign, minutes, "分", seconds, "秒"; "+" (ASCII) when
true solar time is ahead of mean time, "－" (U+FF0D) when behind. A few anchor rows are written in the
irregular forms the almanac uses ("－11分 1秒", "+12分60秒"); those texts are kept verbatim.

Usage: gen_eot.py [--out PATH]   (default: src/calendar/eot_table.inc beside this script's repo)
"""

import argparse
import datetime
import math
import os
import sys

YEAR = 2024  # any leap year; the table has no year
PLUS = "+"
MINUS = "\uff0d"

# (month, day): value text. The May high holds from 10 to 13 May and the July low from 21 to 24 July;
# 1 July is the almanac value of the abroad page's worked example.
ANCHORS = {
    (1, 1): MINUS + "3分9秒",
    (2, 10): MINUS + "14分15秒",
    (2, 29): MINUS + "12分8秒",
    (3, 5): MINUS + "11分 1秒",
    (4, 14): PLUS + "0分13秒",
    (5, 10): PLUS + "3分42秒",
    (5, 11): PLUS + "3分42秒",
    (5, 12): PLUS + "3分42秒",
    (5, 13): PLUS + "3分42秒",
    (6, 11): PLUS + "0分1秒",
    (7, 1): MINUS + "4分22秒",
    (7, 21): MINUS + "6分29秒",
    (7, 22): MINUS + "6分29秒",
    (7, 23): MINUS + "6分29秒",
    (7, 24): MINUS + "6分29秒",
    (9, 1): PLUS + "1分0秒",
    (10, 9): PLUS + "12分60秒",
    (11, 2): PLUS + "16分25秒",
    (11, 17): PLUS + "14分60秒",
    (12, 24): PLUS + "0分23秒",
    (12, 31): MINUS + "3分3秒",
}


def value_seconds(text):
    """Signed seconds of a value text, read the way the program reads it."""
    sign = -1 if MINUS in text else 1
    body = text.replace(" ", "").replace(PLUS, "").replace(MINUS, "")
    minutes, rest = body.split("分", 1)
    seconds = rest.split("秒", 1)[0]
    return sign * (int(minutes) * 60 + int(seconds))


def julian_day(year, month, day, hour=12.0):
    a = (14 - month) // 12
    y = year + 4800 - a
    m = month + 12 * a - 3
    jdn = day + (153 * m + 2) // 5 + 365 * y + y // 4 - y // 100 + y // 400 - 32045
    return jdn + (hour - 12.0) / 24.0


def equation_of_time_seconds(jd):
    """Apparent minus mean solar time in seconds, Meeus' low-precision formula."""
    t = (jd - 2451545.0) / 36525.0
    l0 = math.radians((280.46646 + 36000.76983 * t + 0.0003032 * t * t) % 360.0)
    m = math.radians(357.52911 + 35999.05029 * t - 0.0001537 * t * t)
    e = 0.016708634 - 0.000042037 * t - 0.0000001267 * t * t
    eps0 = 23.0 + (26.0 + (21.448 - 46.8150 * t - 0.00059 * t * t + 0.001813 * t**3) / 60.0) / 60.0
    omega = math.radians(125.04 - 1934.136 * t)
    eps = math.radians(eps0 + 0.00256 * math.cos(omega))
    y = math.tan(eps / 2.0) ** 2
    eot = (
        y * math.sin(2 * l0)
        - 2 * e * math.sin(m)
        + 4 * e * y * math.sin(m) * math.cos(2 * l0)
        - 0.5 * y * y * math.sin(4 * l0)
        - 1.25 * e * e * math.sin(2 * m)
    )
    return math.degrees(eot) * 240.0  # one degree of hour angle is four minutes


def days_of_year():
    start = datetime.date(YEAR, 1, 1)
    return [start + datetime.timedelta(days=i) for i in range(366)]


def formula_values():
    return [equation_of_time_seconds(julian_day(YEAR, d.month, d.day)) for d in days_of_year()]


def bent_values():
    """Unrounded seconds per day: the formula plus the interpolated anchor correction."""
    days = days_of_year()
    index = {(d.month, d.day): i for i, d in enumerate(days)}
    formula = formula_values()
    points = sorted((index[k], value_seconds(v) - formula[index[k]]) for k, v in ANCHORS.items())
    if points[0][0] != 0 or points[-1][0] != len(days) - 1:
        sys.exit("gen_eot: the first and the last day of the year must be anchors")
    out = []
    for i, f in enumerate(formula):
        for (a, ca), (b, cb) in zip(points, points[1:]):
            if a <= i <= b:
                out.append(f + ca + (cb - ca) * (i - a) / (b - a))
                break
    return out


def format_value(exact):
    # A day that rounds to zero takes the side of the curve it lies on, so the sign changes once per crossing.
    s = round(exact)
    sign = PLUS if (s > 0 or (s == 0 and exact >= 0)) else MINUS
    return "%s%d分%d秒" % (sign, abs(s) // 60, abs(s) % 60)


def rows():
    """The 366 (key, value) rows in calendar order."""
    out = []
    for d, exact in zip(days_of_year(), bent_values()):
        key = "%d月%d日" % (d.month, d.day)
        value = ANCHORS.get((d.month, d.day)) or format_value(exact)
        out.append((key, value))
    return out


def render():
    lines = [
        "// Generated by data/gen_eot.py; do not edit. Regenerate with: python3 data/gen_eot.py",
        "// Equation of time per calendar day: key \"M月D日\", value sign, minutes \"分\", seconds \"秒\".",
    ]
    for key, value in rows():
        lines.append('{"%s", "%s"},' % (key, value))
    return "\n".join(lines) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.join(os.path.dirname(here), "src", "calendar", "eot_table.inc")
    parser = argparse.ArgumentParser(description="Generates the equation-of-time table.")
    parser.add_argument("--out", default=default_out, help="output file (default: %(default)s)")
    args = parser.parse_args()
    with open(args.out, "w", encoding="utf-8", newline="\n") as f:
        f.write(render())


if __name__ == "__main__":
    main()
