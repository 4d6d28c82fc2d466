#!/usr/bin/env python3
"""Checks on the shipped data files: place list, help texts, pictures, sound.

Run from the repository root: python3 tests/data/test_assets.py
"""
import pathlib
import re
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
DIST = ROOT / "data/dist"

GROUP_COUNTS = [
    ("黑龙江省:", 10), ("吉林省: ", 6), ("辽宁省:", 11), ("内蒙古自治区:", 8), ("河北省:", 8),
    ("山西省:", 6), ("山东省:", 7), ("河南省:", 2), ("陕西省:", 9), ("甘肃省:", 7),
    ("宁夏自治区:", 1), ("青海省:", 3), ("新疆自治区:", 12), ("安徽省: ", 8), ("江苏省:", 10),
    ("浙江省:", 5), ("湖南省: ", 9), ("江西省:", 10), ("湖北省:", 3), ("四川省:", 16),
    ("贵州省:", 2), ("福建省:", 9), ("台湾省:", 2), ("广东省:", 4), ("海南省:", 1),
    ("广西自治区:", 6), ("云南省:", 5), ("西藏自治区:", 8),
]
TOP_PLACES = [
    "北 京 直 辖 市 \t116.28 ", "上 海 直 辖 市 \t121.29 ", "天 津 直 辖 市 \t117.11 ",
    "重 庆 直 辖 市 \t106.32 ", "香港特别行政区 \t114.10 ",
]
TELLING_ROWS = [
    "\t哈尔滨 \t126.41 ", "\t沈阳 \t123.24 ", "\t齐齐哈尔 123.54", "\t玉门 \t 97.46 ",
    "\t赤峰 \t119 ", "\t长沙 \t113 ", "\t商县 \t109.55 \t ",
]
PICTURES = ["肺", "大肠", "胃", "脾", "心", "小肠", "膀胱", "肾", "心包", "三焦", "胆", "肝",
            "阴跷", "阳跷"]


def picked_longitude(text):
    """What the picker takes from a place: the last seven GBK bytes, trimmed."""
    return text.encode("gbk")[-7:].decode("gbk", "replace").strip(" \t")


def jpeg_frame_marker(data):
    """The SOFn marker of a JPEG, found by walking its segments."""
    assert data[:2] == b"\xff\xd8", "no SOI"
    i = 2
    while i + 4 <= len(data):
        assert data[i] == 0xFF, f"bad marker at {i}"
        marker = data[i + 1]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            return marker
        i += 2 + int.from_bytes(data[i + 2:i + 4], "big")
    raise AssertionError("no frame marker")


class PlaceList(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        raw = (DIST / "tree.ini").read_bytes()
        cls.raw = raw
        cls.lines = raw.decode("gbk").split("\r\n")
        assert cls.lines[-1] == "", "tree.ini must end with CR LF"
        cls.lines.pop()

    def test_shape(self):
        self.assertNotIn(b"\n", self.raw.replace(b"\r\n", b""), "bare LF or CR in tree.ini")
        self.assertEqual(len(self.lines), 221)
        top = [l for l in self.lines if not l.startswith("\t")]
        self.assertEqual(len(top), 33)
        self.assertEqual(top[:5], TOP_PLACES)
        self.assertEqual(top[5:], [g for g, _ in GROUP_COUNTS])
        self.assertFalse(any(l.startswith("\t\t") or l.startswith("\t ") for l in self.lines))

    def test_counts_per_group(self):
        counts, group = {}, None
        for line in self.lines[5:]:
            if line.startswith("\t"):
                counts[group] += 1
            else:
                group, counts[line] = line, 0
        self.assertEqual(list(counts.items()), GROUP_COUNTS)

    def test_telling_rows_byte_exact(self):
        for row in TELLING_ROWS:
            self.assertIn(row.encode("gbk"), self.raw.split(b"\r\n"), repr(row))

    def test_picked_longitudes(self):
        for line in self.lines:
            text = line.lstrip("\t")
            if text.rstrip(" ").endswith(":"):
                continue
            name, value = text.split()[0], picked_longitude(text)
            if name in ("赤峰", "长沙"):  # too short for the field: part of the name comes along
                self.assertNotRegex(value, r"^\d+(\.\d+)?$")
            elif name == "商县":  # padding beyond the field shifts it
                self.assertEqual(value, "9.55")
            else:
                self.assertRegex(value, r"^\d{2,3}\.\d\d$", repr(line))
                self.assertEqual(value, text.split()[-1])
                self.assertTrue(73 <= float(value) <= 135, line)  # China lies within

    def test_builtin_list_matches(self):
        inc = (ROOT / "src/files/builtin_places.inc").read_text(encoding="utf-8")
        literals = re.findall(r'^"((?:[^"\\]|\\.)*)",$', inc, re.M)
        decoded = [s.replace("\\t", "\t").replace('\\"', '"').replace("\\\\", "\\") for s in literals]
        self.assertEqual(decoded, self.lines)


class HelpTexts(unittest.TestCase):
    def test_gbk_with_crlf(self):
        # The English help names the settings by their Chinese captions too, which an English window shows
        # beside its own.
        for name, must, size in [
                ("sun.txt", ["真太阳时", "均时差", "仅仅使用北京时间"], (400, 1200)),
                ("timemode.txt", ["不区分夜子时早子时", "区分夜子时早子时", "以0-2时为子时"], (400, 1200)),
                ("about.txt", ["Velunar", "4.5", "徐凤"], (400, 1200)),
                ("en/sun.txt", ["True solar time", "equation of time", "仅仅使用北京时间"], (1500, 4000)),
                ("en/timemode.txt", ["不区分夜子时早子时", "区分夜子时早子时", "以0-2时为子时"], (1500, 4000)),
                ("en/about.txt", ["Velunar", "4.5", "Xu Feng", "Disclaimer"], (1500, 4000))]:
            with self.subTest(name):
                raw = (DIST / "msg" / name).read_bytes()
                text = raw.decode("gbk")
                self.assertNotIn(b"\n", raw.replace(b"\r\n", b""), "bare LF or CR")
                self.assertTrue(raw.endswith(b"\r\n"))
                self.assertFalse(raw.startswith(b"\xef\xbb\xbf"), "BOM")
                self.assertTrue(size[0] <= len(text.replace("\r\n", "")) <= size[1])
                for word in must:
                    self.assertIn(word, text)


class PicturesAndSound(unittest.TestCase):
    def test_pictures_are_baseline_jpeg(self):
        for name in PICTURES:
            with self.subTest(name):
                data = (DIST / "pic" / f"{name}.JPG").read_bytes()
                self.assertEqual(jpeg_frame_marker(data), 0xC0, "not baseline (SOF0)")
                self.assertLess(len(data), 150_000)

    def test_chime_is_small_mp3(self):
        data = (DIST / "romance.mp3").read_bytes()
        self.assertLess(len(data), 100_000)
        # An MPEG audio frame sync, or an ID3 tag before it.
        self.assertTrue(data[:3] == b"ID3" or (data[0] == 0xFF and data[1] & 0xE0 == 0xE0))


if __name__ == "__main__":
    unittest.main()
