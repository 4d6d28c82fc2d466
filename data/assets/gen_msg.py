#!/usr/bin/env python3
"""Convert the help texts data/assets/msg/*.txt (UTF-8) to data/dist/msg/*.txt, and their English,
data/assets/msg/en/*.txt, to data/dist/msg/en/*.txt.

The program reads its help files as GBK; lines end in CR LF like every text
file it ships or writes. A character GBK cannot hold stops the conversion
instead of turning into '?'. Run: python3 data/assets/gen_msg.py
"""
import pathlib

ROOT = pathlib.Path(__file__).resolve().parents[2]
SRC = ROOT / "data/assets/msg"
DST = ROOT / "data/dist/msg"
NAMES = ["sun.txt", "timemode.txt", "about.txt"]


def main():
    for src, dst in ((SRC, DST), (SRC / "en", DST / "en")):
        dst.mkdir(parents=True, exist_ok=True)
        for name in NAMES:
            text = (src / name).read_text(encoding="utf-8")
            lines = text.replace("\r\n", "\n").rstrip("\n").split("\n")
            data = "".join(line + "\r\n" for line in lines).encode("gbk")  # strict: fails loudly
            (dst / name).write_bytes(data)
            print(f"{dst.name}/{name}: {len(text)} characters, {len(data)} bytes")


if __name__ == "__main__":
    main()
