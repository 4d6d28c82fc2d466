#!/usr/bin/env python3
"""The project's side of the Linguist sources.

  fill TS                 marks every unfinished message whose source holds no Chinese as translated by itself
                          (the command line's own English needs no translation into English)
  check LUPDATE SRC TS [OPTION...]
                          runs lupdate over the sources SRC into a copy of TS, fills it, and fails naming every
                          message still unfinished (a text the user sees that has no English yet) and every
                          translation whose placeholders ({1}, %1) are not its source's
  pseudo TS OUT           writes OUT with every translation 40 % longer (for the fit checks) and the same
                          placeholders, mnemonics and line breaks
  set TS PAIRS            takes translations from PAIRS (lines CONTEXT<TAB>SOURCE<TAB>TRANSLATION, \\n for a
                          line break; CONTEXT * for every context) into TS
"""
import math
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

CJK = re.compile(r"[\u2e80-\u9fff\uf900-\ufaff\uff00-\uffef\u3000-\u303f]")


def read(path):
    return ET.parse(path)


def write(tree, path):
    # Linguist's own layout: the declaration and doctype lupdate writes, so a later lupdate run changes little.
    body = ET.tostring(tree.getroot(), encoding="unicode")
    path = pathlib.Path(path)
    path.write_text('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n' + body + "\n", encoding="utf-8")


def messages(tree):
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            yield name, message


def unfinished(message):
    t = message.find("translation")
    return t is None or t.get("type") == "unfinished" or not (t.text or "")


def fill(tree):
    for _, m in messages(tree):
        t = m.find("translation")
        source = m.findtext("source") or ""
        if unfinished(m) and not CJK.search(source):
            t.text = source
            t.attrib.pop("type", None)


def check(lupdate, src, ts, options):
    with tempfile.TemporaryDirectory() as tmp:
        copy = pathlib.Path(tmp) / pathlib.Path(ts).name
        shutil.copy(ts, copy)
        subprocess.run([lupdate, *options, "-recursive", src, "-ts", str(copy)], check=True, capture_output=True)
        tree = read(copy)
        fill(tree)
        missing = [(c, m.findtext("source")) for c, m in messages(tree) if unfinished(m)]
        # A translation that drops or adds a placeholder loses a value the user needs (the point, the hour).
        marks = re.compile(r"\{[1-9]\}|%[1-9]")
        astray = [(c, m.findtext("source"), m.findtext("translation")) for c, m in messages(tree)
                  if not unfinished(m) and sorted(set(marks.findall(m.findtext("source") or "")))
                  != sorted(set(marks.findall(m.findtext("translation") or "")))]
    for context, source, translation in astray:
        print(f"placeholders differ in {context}: {source!r} → {translation!r}")
    if astray:
        return 1
    for context, source in missing:
        print(f"no English for {context}: {source!r}")
    if missing:
        print(f"{len(missing)} texts have no English translation: translate them in {ts} "
              "(scripts/update-translations brings it up to date)")
        return 1
    print(f"every text of {ts} is translated")
    return 0


def stretched(text):
    # Longer by 40 % of its length, the padding inside the text's end so that placeholders stay whole.
    pad = math.ceil(len(text) * 0.4)
    return text + "~" * pad if text else text


def pseudo(ts, out):
    tree = read(ts)
    fill(tree)
    for _, m in messages(tree):
        t = m.find("translation")
        if t is not None and t.text:
            t.text = "\n".join(stretched(line) for line in t.text.split("\n"))
    write(tree, out)


def set_pairs(ts, pairs):
    wanted = {}
    for line in pathlib.Path(pairs).read_text(encoding="utf-8").split("\n"):
        if not line or line.startswith("#"):
            continue
        context, source, translation = line.split("\t")
        wanted[(context, source.replace("\\n", "\n"))] = translation.replace("\\n", "\n")
    tree = read(ts)
    for context, m in messages(tree):
        source = m.findtext("source")
        translation = wanted.get((context, source), wanted.get(("*", source)))
        if translation is not None:
            t = m.find("translation")
            t.text = translation
            t.attrib.pop("type", None)
    write(tree, ts)


def main(argv):
    if len(argv) >= 2 and argv[0] == "fill":
        tree = read(argv[1])
        fill(tree)
        write(tree, argv[1])
        return 0
    if len(argv) >= 4 and argv[0] == "check":
        return check(argv[1], argv[2], argv[3], argv[4:])
    if len(argv) == 3 and argv[0] == "pseudo":
        pseudo(argv[1], argv[2])
        return 0
    if len(argv) == 3 and argv[0] == "set":
        set_pairs(argv[1], argv[2])
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
