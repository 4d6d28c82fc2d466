#!/usr/bin/env python3
"""Checks data/zones-iana.tsv against the fixed zone labels and the system's tz database."""
import datetime
import pathlib
import re
import subprocess
import sys
import tempfile
import unittest
import zoneinfo

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "data"))
sys.dont_write_bytecode = True

import gen_zone_iana  # noqa: E402

ZONEINFO = pathlib.Path("/usr/share/zoneinfo")

# Labels whose fixed offset no longer holds for any city they name: a user who picks one is an hour
# (or half an hour) off, which is what the hint is for. Label -> the zone's standard offset in minutes.
OUT_OF_DATE = {
    "(GMT-03:00) 格陵兰": -120,
    "(GMT+06:00) 阿拉木图，新西伯利亚": 300,
    "(GMT+06:00) 斯里哈亚华登尼普拉": 330,
}

# Cities named in a label whose own zone has since moved; the label stands for a city that kept the offset.
CITIES_MOVED = {
    "(GMT-07:00)奇瓦瓦，拉巴斯，马扎特兰": "America/Chihuahua",
    "(GMT-03:00) 布宜诺斯艾利斯，乔治敦": "America/Guyana",
    "(GMT) 卡萨布兰卡，蒙罗维亚": "Africa/Casablanca",
    "(GMT+02:00) 雅典，贝鲁特，伊斯坦布尔，明斯克": "Europe/Istanbul Europe/Minsk",
    "(GMT+06:00) 阿拉木图，新西伯利亚": "Asia/Novosibirsk",
    "(GMT+06:00) 阿斯塔纳，达卡": "Asia/Almaty",
}


def fixed_labels():
    """The labels of ZoneTexts() as the source writes them."""
    text = (ROOT / "src" / "calendar" / "solar.cpp").read_text(encoding="utf-8")
    block = text[text.index("kZones"):]
    return re.findall(r'"([^"]*)"', block[:block.index("};")])


def label_minutes(label):
    m = re.match(r"\(GMT(?:([+-])(\d\d):(\d\d))?\)", label)
    return 0 if not m.group(1) else int(m.group(1) + "1") * (int(m.group(2)) * 60 + int(m.group(3)))


def standard_minutes(zone_id, when):
    local = when.astimezone(zoneinfo.ZoneInfo(zone_id))
    return int((local.utcoffset() - local.dst()).total_seconds()) // 60


class ZonesIana(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pairs = gen_zone_iana.read_pairs()
        cls.now = datetime.datetime.now(datetime.timezone.utc)

    def test_every_label_once_in_order_with_an_existing_zone(self):
        self.assertEqual([label for label, _ in self.pairs], fixed_labels())
        self.assertEqual(len(self.pairs), 75)
        listed = {line.split("\t")[2] for line in (ZONEINFO / "zone.tab").read_text().split("\n")
                  if line and not line.startswith("#")}
        for label, zone_id in self.pairs:
            self.assertTrue((ZONEINFO / zone_id).is_file(), zone_id)
            # The searchable zone list comes from zone.tab; the date line has no city there.
            self.assertTrue(zone_id in listed or zone_id == "Etc/GMT+12", zone_id)

    def test_offsets_agree_with_tzdata_today_but_for_the_known_out_of_date_labels(self):
        disagree = {}
        for label, zone_id in self.pairs:
            standard = standard_minutes(zone_id, self.now)
            if standard != label_minutes(label):
                disagree[label] = standard
        self.assertEqual(disagree, OUT_OF_DATE)
        for label, zones in CITIES_MOVED.items():
            for zone_id in zones.split():
                self.assertNotEqual(standard_minutes(zone_id, self.now), label_minutes(label), zone_id)

    def test_summer_time_transitions_of_2026(self):
        # UTC offsets just before and after each 2026 change, in minutes, as the tz database gives them.
        cases = {
            "Europe/Paris": [("2026-03-29 00:59", 60), ("2026-03-29 01:00", 120),
                             ("2026-10-25 00:59", 120), ("2026-10-25 01:00", 60)],
            "America/Los_Angeles": [("2026-03-08 09:59", -480), ("2026-03-08 10:00", -420),
                                    ("2026-11-01 08:59", -420), ("2026-11-01 09:00", -480)],
            "Australia/Sydney": [("2026-04-04 15:59", 660), ("2026-04-04 16:00", 600),
                                 ("2026-10-03 15:59", 600), ("2026-10-03 16:00", 660)],
            "America/Santiago": [("2026-04-05 02:59", -180), ("2026-04-05 03:00", -240),
                                 ("2026-09-06 03:59", -240), ("2026-09-06 04:00", -180)],
        }
        for zone_id, moments in cases.items():
            for utc, minutes in moments:
                when = datetime.datetime.fromisoformat(utc).replace(tzinfo=datetime.timezone.utc)
                local = when.astimezone(zoneinfo.ZoneInfo(zone_id))
                self.assertEqual(local.utcoffset().total_seconds() // 60, minutes, (zone_id, utc))

    def test_include_matches_the_table(self):
        with tempfile.TemporaryDirectory() as out:
            fresh = pathlib.Path(out) / "zone_iana.inc"
            subprocess.run([sys.executable, "-B", str(ROOT / "data" / "gen_zone_iana.py"), "--out", str(fresh)],
                           check=True)
            self.assertEqual(fresh.read_bytes(), (ROOT / "src" / "calendar" / "zone_iana.inc").read_bytes())


if __name__ == "__main__":
    unittest.main()
