#!/usr/bin/python3
"""The compiled 人神 tables are what data/gen_renshen.py writes from data/, and every point a doctrine can
open has its body regions (a point without them would never be warned about)."""
import pathlib
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]


def tsv(name):
    lines = [l for l in (ROOT / "data" / name).read_text(encoding="utf-8").splitlines() if l and l[0] != "#"]
    return [l.split("\t") for l in lines[1:]]


def main():
    subprocess.run([sys.executable, str(ROOT / "data" / "gen_renshen.py"), "--check"], check=True)
    regions = {r[0] for r in tsv("point-regions.tsv")}
    opened = {p for r in tsv("tables/wushu.tsv") for p in r[1:]}
    opened |= {"公孙", "内关", "外关", "列缺", "照海", "申脉", "后溪", "足临泣", "临泣"}  # the eight confluent points (临泣 as 八法 names it)
    missing = sorted(opened - regions)
    unknown = sorted(regions - opened)
    assert not missing, f"points without regions in data/point-regions.tsv: {missing}"
    assert not unknown, f"data/point-regions.tsv names points no doctrine opens: {unknown}"
    print(f"{len(regions)} points with regions; tables up to date")


if __name__ == "__main__":
    main()
