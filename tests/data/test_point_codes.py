#!/usr/bin/env python3
"""Checks data/point-codes.tsv against 经络表 and 穴位说明, and that the compiled table is up to date."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "data"))
sys.dont_write_bytecode = True

import gen_point_index  # noqa: E402

ABBREVIATIONS = {"肺": "LU", "大肠": "LI", "胃": "ST", "脾": "SP", "心": "HT", "小肠": "SI",
                 "膀胱": "BL", "肾": "KI", "心包": "PC", "三焦": "TE", "胆": "GB", "肝": "LR"}


def table(name):
    lines = [l for l in (ROOT / "data" / "tables" / name).read_text(encoding="utf-8").split("\n")
             if l and not l.startswith("#")]
    return [l.split("\t") for l in lines[1:]]


class PointCodes(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.rows = gen_point_index.read_rows()
        cls.codes = {name: code for name, code, *_ in cls.rows}
        cls.jingluo = table("jingluo.tsv")

    def test_every_point_has_its_meridian_code_in_list_order(self):
        expected = [(name, ABBREVIATIONS[meridian] + forder) for name, meridian, forder in self.jingluo]
        listed = [(name, code) for name, code, *_ in self.rows if name != "临泣"]
        self.assertEqual(listed, expected)
        # The eight-method name stands right after the point it names, with its code.
        names = [r[0] for r in self.rows]
        self.assertEqual(names.index("临泣"), names.index("足临泣") + 1)
        self.assertEqual(self.codes["临泣"], "GB41")

    def test_every_described_point_has_a_code(self):
        self.assertEqual({r[0] for r in table("xuewei.tsv")} - set(self.codes), set())
        self.assertEqual(len(self.codes), len(self.rows), "a name listed twice")

    def test_readings_of_names_with_a_fixed_reading(self):
        # Where ordinary words read these characters otherwise.
        pinyin = {name: p for name, _, p, _ in self.rows}
        for name, reading in [("肺俞", "fèi shū"), ("俞府", "shū fǔ"), ("曲池", "qū chí"), ("少商", "shào shāng"),
                              ("大都", "dà dū"), ("率谷", "shuài gǔ"), ("攒竹", "cuán zhú"), ("中冲", "zhōng chōng"),
                              ("会宗", "huì zōng"), ("间使", "jiān shǐ"), ("尺泽", "chǐ zé")]:
            self.assertEqual(pinyin[name], reading)

    def test_include_matches_the_table(self):
        with tempfile.TemporaryDirectory() as out:
            fresh = pathlib.Path(out) / "point_codes.inc"
            subprocess.run([sys.executable, "-B", str(ROOT / "data" / "gen_point_index.py"), "--out", str(fresh)],
                           check=True)
            for name in ("point_codes.inc", "point_traditional.inc"):
                self.assertEqual((pathlib.Path(out) / name).read_bytes(),
                                 (ROOT / "src" / "methods" / name).read_bytes(),
                                 "run data/gen_point_index.py and commit its output")


if __name__ == "__main__":
    unittest.main()
