#!/usr/bin/env python3
"""Generates 五俞穴 (wushu.tsv) and 地支表, the branch method of tonifying the mother and draining the child
(dizhi.tsv), from the transport points that the stem method uses too.

Usage: python3 data/gen_nazhi.py [--out DIR]   (DIR defaults to data/tables beside this script)
"""
import argparse
import pathlib

from doctrine import (BRANCHES, MERIDIAN_PHASE, TRANSPORT_POINTS, child, long_form, mother,
                      point_of_phase, source_point, write_table)

# The flow runs through the twelve meridians one double-hour each, starting with 肺 at 寅.
FLOW = ["肺", "大肠", "胃", "脾", "心", "小肠", "膀胱", "肾", "心包", "三焦", "胆", "肝"]
FIRST_BRANCH = BRANCHES.index("寅")

WUSHU_HEADER = ["经络", "井", "荥", "俞", "经", "合", "原"]
DIZHI_HEADER = ["时辰", "本穴", "原穴", "泻穴", "本经", "补穴", "补穴经"]


def meridian_of_branch(branch):
    return FLOW[(branch - FIRST_BRANCH) % 12]


def wushu_rows():
    return [[long_form(m)] + list(TRANSPORT_POINTS[m]) for m in FLOW]


def dizhi_rows():
    rows = []
    for branch in range(12):
        meridian = meridian_of_branch(branch)
        phase = MERIDIAN_PHASE[meridian]
        # The meridian whose hour has just passed is tonified now, after its flow has ebbed.
        previous = meridian_of_branch(branch - 1)
        rows.append([BRANCHES[branch],
                     point_of_phase(meridian, phase)[1],
                     source_point(meridian),
                     point_of_phase(meridian, child(phase))[1],
                     long_form(meridian),
                     point_of_phase(previous, mother(MERIDIAN_PHASE[previous]))[1],
                     long_form(previous)])
    return rows


WUSHU_COMMENTS = [
    "五俞穴：十二经的井、荥、俞、经、合五输穴及原穴，经络按十二经流注次序（肺经起，肝经止）。",
    "五行：阴经井木、荥火、俞土、经金、合水；阳经井金、荥水、俞木、经火、合土。",
    "原：阳经各有原穴；阴经以俞代原，原列即填其俞穴（肺太渊、脾太白、心神门、肾太溪、心包大陵、肝太冲）。穴名用国家标准简体名（足窍阴、足临泣、足通谷、足三里等）。",
    "由 data/gen_nazhi.py 据教科书通行的五输穴表生成，请改脚本后重新生成，勿手改。",
]

DIZHI_COMMENTS = [
    "地支表：纳子法（补母泻子），十二时辰各一行，按子至亥排列。",
    "本经：该时辰气血流注最盛之经（寅肺、卯大肠、辰胃、巳脾、午心、未小肠、申膀胱、酉肾、戌心包、亥三焦、子胆、丑肝）。",
    "本穴：本经中与本经五行相同的五输穴；原穴：本经原穴（阴经以俞代原）；泻穴：本经之子穴（本经五行所生之穴），于本时辰泻之。",
    "补穴、补穴经：刚刚过去的时辰所流注之经的母穴（生该经五行之穴），经气已过，于本时辰补之（如卯时补肺经太渊）。",
    "由 data/gen_nazhi.py 生成，请改脚本后重新生成，勿手改。",
]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=pathlib.Path,
                        default=pathlib.Path(__file__).resolve().parent / "tables")
    out = parser.parse_args().out
    write_table(out / "wushu.tsv", WUSHU_COMMENTS, WUSHU_HEADER, wushu_rows())
    write_table(out / "dizhi.tsv", DIZHI_COMMENTS, DIZHI_HEADER, dizhi_rows())


if __name__ == "__main__":
    main()
