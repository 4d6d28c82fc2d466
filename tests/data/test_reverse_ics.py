#!/usr/bin/env python3
"""`velunar-cli reverse --ics`: the calendar file, read by a real iCalendar parser, holds one event per
opening of the report, at the report's clock span turned to UTC."""
import datetime
import os
import pathlib
import re
import subprocess
import sys
import tempfile
import unittest

try:
    import icalendar
except ImportError:  # Debian's python3-icalendar, seen from an interpreter of another prefix
    sys.path.append("/usr/lib/python3/dist-packages")
    import icalendar

BIN = pathlib.Path(os.environ.get("VELUNAR_BIN_DIR", pathlib.Path(__file__).resolve().parents[2] / "build/bin"))
SPAN = re.compile(r"^(\d{4}-\d\d-\d\d)(.*?)，钟表时间 (?:(\d{4}-\d\d-\d\d) )?(\d\d:\d\d:\d\d)–"
                  r"(?:(\d{4}-\d\d-\d\d) )?(\d\d:\d\d:\d\d)$")

PLACES = [
    # (flags, minutes the clock is ahead of UTC)
    (["--china", "--no-beijing", "--longitude", "87.6", "--mode", "0"], 480),
    (["--abroad", "--zone", "(GMT-05:00) 东部时间(美国和加拿大)", "--ew", "西经", "--lon", "74",
      "--summer", "60", "--mode", "2"], -300 + 60),
]


def run(args):
    done = subprocess.run([str(BIN / "velunar-cli"), *args, "--db", str(BIN / "db1.sqlite")],
                          capture_output=True, check=True)
    return done.stdout.decode("utf-8")


class ReverseCalendar(unittest.TestCase):
    def test_events_are_the_reports_openings_in_utc(self):
        for flags, ahead in PLACES:
            with self.subTest(place=flags[0]), tempfile.TemporaryDirectory() as tmp:
                ics = pathlib.Path(tmp) / "open.ics"
                report = run(["reverse", "公孙", "2026-03-01", "2026-04-15", "--clock", "--ics", str(ics), *flags])
                raw = ics.read_bytes()
                physical = raw.split(b"\r\n")
                self.assertEqual(physical[-1], b"")
                self.assertNotIn(b"\n", b"".join(physical))
                self.assertLessEqual(max(len(line) for line in physical), 75)

                expected = []
                heading = None
                for line in report.splitlines():
                    if line.endswith("："):
                        heading = line[:-1]
                        continue
                    m = SPAN.match(line)
                    self.assertIsNotNone(m, line)
                    start = datetime.datetime.fromisoformat((m[3] or m[1]) + " " + m[4])
                    end = datetime.datetime.fromisoformat((m[5] or m[1]) + " " + m[6])
                    shift = datetime.timedelta(minutes=ahead)
                    expected.append((start - shift, end - shift + datetime.timedelta(seconds=1),
                                     "公孙 · " + heading, line[:line.index("，钟表时间")]))

                calendar = icalendar.Calendar.from_ical(raw)
                events = [e for e in calendar.walk() if e.name == "VEVENT"]
                self.assertGreater(len(expected), 100)
                self.assertEqual(len(events), len(expected))
                utc = datetime.timezone.utc
                got = [(e.decoded("DTSTART").astimezone(utc).replace(tzinfo=None),
                        e.decoded("DTEND").astimezone(utc).replace(tzinfo=None),
                        str(e.get("SUMMARY")), str(e.get("DESCRIPTION"))) for e in events]
                self.assertEqual(got, expected)
                self.assertEqual(len({str(e.get("UID")) for e in events}), len(events))
                for e in events:
                    self.assertIsNotNone(e.get("DTSTAMP"))


if __name__ == "__main__":
    unittest.main()
