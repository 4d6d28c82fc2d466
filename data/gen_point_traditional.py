#!/usr/bin/env python3
"""Adds the traditional spelling of each point name to data/point-codes.tsv (the column 繁体).

The spelling comes from OpenCC's simplified-to-traditional conversion (Debian package opencc, run once),
then the corrections below, where a phrase table reads a point's character as the commoner word: 谷 of a
valley is no grain (穀), 里 of a distance no lining (裏), and 冲 of the Chong points is written 衝 throughout.
The file is written again with the column filled; review the difference before committing it.

Usage: python3 data/gen_point_traditional.py
"""
import pathlib
import subprocess

HERE = pathlib.Path(__file__).resolve().parent
TSV = HERE / "point-codes.tsv"

CORRECTIONS = {"通裏": "通里", "陽穀": "陽谷", "太沖": "太衝"}


def main():
    lines = TSV.read_text(encoding="utf-8").split("\n")
    comments = [l for l in lines if l.startswith("#")]
    rows = [l.split("\t") for l in lines if l and not l.startswith("#")]
    header, body = rows[0][:3], [r[:3] for r in rows[1:]]
    names = "\n".join(r[0] for r in body) + "\n"
    converted = subprocess.run(["opencc", "-c", "s2t.json"], input=names, capture_output=True, text=True,
                               check=True).stdout.split("\n")
    out = comments + ["\t".join(header + ["繁体"])]
    for row, traditional in zip(body, converted):
        out.append("\t".join(row + [CORRECTIONS.get(traditional, traditional)]))
    TSV.write_text("\n".join(out) + "\n", encoding="utf-8", newline="\n")


if __name__ == "__main__":
    main()
