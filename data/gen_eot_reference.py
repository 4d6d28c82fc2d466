#!/usr/bin/python3
"""Records reference values of the equation of time from the IAU SOFA models, for the tests of the
astronomical equation of time (src/calendar/astro_eot.cpp), and checks that function against a dense sample.

The reference is computed with ERFA (Debian package python3-erfa), independently of the program's own
formulas: the Sun's geocentric direction from the Earth ephemeris EPV00, annual aberration from the
Earth's barycentric velocity, then the IAU 2006/2000A bias-precession-nutation to the true equator and
equinox of date. The equation of time is apparent minus mean solar time at Greenwich:
    E = (GAST - RA of the apparent Sun) + 12 h - UT1,
brought into (-12 h, 12 h]; positive when the true Sun is ahead of the mean Sun.
Instants are Universal Time (taken as UT1) in days since 1899-12-30 00:00, the program's DateTime. The
Sun is placed at TT = UT + delta T, delta T from the Espenak-Meeus polynomials; the program uses the
same ones (an error of a minute in delta T moves the equation of time by under 0.2 s).

Usage:
  gen_eot_reference.py record [--out PATH]   writes data/eot-reference.tsv (a few instants a month,
                                             every fifth year 1900-2100)
  gen_eot_reference.py dense [--bin DIR]     checks the C++ function on a dense sample (every 127 minutes,
                                             1900-2100, about 830 000 instants) through test_calendar,
                                             and prints how far the fixed day table is from the reference.
                                             Not part of the test suite: it takes a few minutes.
"""
import argparse
import datetime
import math
import os
import pathlib
import random
import re
import subprocess
import sys
import tempfile
import warnings

import erfa
import numpy as np

# EPV00 warns from 2100-01-01 on; its error grows slowly past its range and stays far below what is tested.
warnings.filterwarnings("ignore", category=erfa.ErfaWarning)

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent
JD_EPOCH = 2415018.5  # 1899-12-30 00:00
C_AU_PER_DAY = erfa.CMPS * 86400.0 / erfa.DAU


def delta_t_seconds(year):
    """TT - UT in seconds, Espenak & Meeus (2006) polynomials, year as a decimal."""
    y = np.asarray(year, dtype=float)
    out = np.empty_like(y)
    pieces = [
        (y < 1900, lambda y: -2.79 + 1.494119 * (y - 1900)),  # not reached by the samples
        ((y >= 1900) & (y < 1920), lambda y: (lambda t: -2.79 + 1.494119 * t - 0.0598939 * t**2
                                              + 0.0061966 * t**3 - 0.000197 * t**4)(y - 1900)),
        ((y >= 1920) & (y < 1941), lambda y: (lambda t: 21.20 + 0.84493 * t - 0.076100 * t**2
                                              + 0.0020936 * t**3)(y - 1920)),
        ((y >= 1941) & (y < 1961), lambda y: (lambda t: 29.07 + 0.407 * t - t**2 / 233 + t**3 / 2547)(y - 1950)),
        ((y >= 1961) & (y < 1986), lambda y: (lambda t: 45.45 + 1.067 * t - t**2 / 260 - t**3 / 718)(y - 1975)),
        ((y >= 1986) & (y < 2005), lambda y: (lambda t: 63.86 + 0.3345 * t - 0.060374 * t**2 + 0.0017275 * t**3
                                              + 0.000651814 * t**4 + 0.00002373599 * t**5)(y - 2000)),
        ((y >= 2005) & (y < 2050), lambda y: (lambda t: 62.92 + 0.32217 * t + 0.005589 * t**2)(y - 2000)),
        ((y >= 2050) & (y < 2150), lambda y: -20 + 32 * ((y - 1820) / 100) ** 2 - 0.5628 * (2150 - y)),
        (y >= 2150, lambda y: -20 + 32 * ((y - 1820) / 100) ** 2),
    ]
    for mask, f in pieces:
        out[mask] = f(y[mask])
    return out


def reference_seconds(days):
    """Equation of time in seconds at instants given as days since 1899-12-30 UT (numpy array)."""
    days = np.asarray(days, dtype=float)
    ut1 = JD_EPOCH + np.floor(days)
    ut2 = days - np.floor(days)
    year = 2000.0 + (ut1 + ut2 - 2451545.0) / 365.25
    tt2 = ut2 + delta_t_seconds(year) / 86400.0
    pvh, pvb = erfa.epv00(ut1, tt2)
    sun = -pvh["p"]  # heliocentric Earth, turned round
    distance = np.linalg.norm(sun, axis=-1)
    direction = sun / distance[:, None]
    v = pvb["v"] / C_AU_PER_DAY
    bm1 = np.sqrt(1.0 - np.sum(v * v, axis=-1))
    apparent = erfa.ab(direction, v, distance, bm1)
    true_of_date = np.einsum("nij,nj->ni", erfa.pnm06a(ut1, tt2), apparent)
    ra = np.arctan2(true_of_date[:, 1], true_of_date[:, 0])
    gast = erfa.gst06a(ut1, ut2, ut1, tt2)
    e = gast - ra + math.pi - 2.0 * math.pi * ut2
    e = (e + math.pi) % (2.0 * math.pi) - math.pi
    return e * 86400.0 / (2.0 * math.pi)


def days_of(dt):
    return (dt - datetime.datetime(1899, 12, 30)) / datetime.timedelta(days=1)


def record(out):
    rng = random.Random(16)
    rows = []
    for year in range(1900, 2101, 5):
        for month in range(1, 13):
            for _ in range(3):
                moment = datetime.datetime(year, month, rng.randint(1, 28), rng.randint(0, 23), rng.randint(0, 59))
                rows.append(moment)
    values = reference_seconds([days_of(m) for m in rows])
    lines = [
        "# 均时差参考值：由 data/gen_eot_reference.py 用 ERFA（IAU SOFA：EPV00 地球历表、光行差、IAU 2006/2000A 岁差章动）算出。",
        "# 世界时（UT1）时刻；均时差 = 真太阳时 - 平太阳时，秒，正值为真太阳在前。1900-2100 每五年，每月三个时刻。",
        "UT\t秒",
    ]
    lines += ["%s\t%.2f" % (m.strftime("%Y-%m-%d %H:%M"), v) for m, v in zip(rows, values)]
    out.write_text("\n".join(lines) + "\n", encoding="utf-8", newline="\n")


def table_seconds():
    """The fixed day table, keyed (month, day), in signed seconds."""
    text = (ROOT / "src" / "calendar" / "eot_table.inc").read_text(encoding="utf-8")
    table = {}
    for key, value in re.findall(r'\{"(\d+月\d+日)", "([^"]*)"\}', text):
        m, d = map(int, re.match(r"(\d+)月(\d+)日", key).groups())
        minutes, seconds = re.match(r"[+\uff0d]?(\d+)分\s*(\d+)秒", value).groups()
        table[(m, d)] = (-1 if "\uff0d" in value else 1) * (int(minutes) * 60 + int(seconds))
    return table


def dense(bin_dir):
    first, last = days_of(datetime.datetime(1900, 1, 1)), days_of(datetime.datetime(2101, 1, 1))
    days = np.arange(first, last, 127.0 / 1440.0)
    values = np.concatenate([reference_seconds(chunk) for chunk in np.array_split(days, 64)])
    # The fixed table, looked up by the calendar day of local mean time at Beijing's meridian (UT + 8 h).
    table = table_seconds()
    epoch = datetime.datetime(1899, 12, 30)
    worst = (0.0, None)
    for d, v in zip(days[::3], values[::3]):
        local = epoch + datetime.timedelta(days=float(d) + 8.0 / 24.0)
        diff = table[(local.month, local.day)] - v
        if abs(diff) > abs(worst[0]):
            worst = (diff, epoch + datetime.timedelta(days=float(d)))
    print("fixed table - reference: worst %+.1f s at %s UT (every 381st minute 1900-2100, day of UT+8h)"
          % (worst[0], worst[1].strftime("%Y-%m-%d %H:%M")))
    with tempfile.NamedTemporaryFile("w", suffix=".tsv", delete=False) as f:
        f.write("days\tseconds\n")
        for d, v in zip(days, values):
            f.write("%.9f\t%.3f\n" % (d, v))
        sample = f.name
    try:
        env = dict(os.environ, VELUNAR_EOT_DENSE=sample)
        run = subprocess.run([str(bin_dir / "test_calendar"), "--gtest_filter=AstroEot.DenseSample*"], env=env)
        sys.exit(run.returncode)
    finally:
        os.unlink(sample)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest="command", required=True)
    rec = sub.add_parser("record")
    rec.add_argument("--out", type=pathlib.Path, default=HERE / "eot-reference.tsv")
    den = sub.add_parser("dense")
    den.add_argument("--bin", type=pathlib.Path, default=ROOT / "build" / "bin")
    args = parser.parse_args()
    if args.command == "record":
        record(args.out)
    else:
        dense(args.bin)


if __name__ == "__main__":
    main()
