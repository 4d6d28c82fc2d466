#!/usr/bin/env python3
"""Build the default database db1.sqlite from the reviewed TSV sources.

The schema comes from schema.sql; each table is filled from its TSV file (format: notes/DATA_FORMAT.md).
The database is written to a temporary file beside the output and renamed into place only when every
table loaded, so a failed build never leaves a half-built database behind.
"""
import argparse
import os
import pathlib
import sqlite3
import sys

# Table name -> source file in the tables folder.
SOURCES = {
    "天干表": "tiangan.tsv",
    "补穴表": "buxue.tsv",
    "地支表": "dizhi.tsv",
    "五俞穴": "wushu.tsv",
    "经络表": "jingluo.tsv",
    "穴位说明": "xuewei.tsv",
    "xxyy": "xxyy.tsv",
}

# Tables that must exist as sources and hold exactly this many rows.
EXACT_ROWS = {"xxyy": 1}


class BuildError(Exception):
    pass


def quote(name):
    return '"' + name.replace('"', '""') + '"'


def table_columns(db, table):
    """(name, declared type) of every column, in order."""
    return [(row[1], row[2].upper()) for row in db.execute(f"PRAGMA table_info({quote(table)})")]


def read_source(path):
    """Yield (line number, fields) of the header and every data row; comment lines are skipped."""
    data = path.read_bytes()
    if data.startswith(b"\xef\xbb\xbf"):
        raise BuildError(f"{path}:1: starts with a byte-order mark; save as UTF-8 without BOM")
    for number, raw in enumerate(data.split(b"\n"), start=1):
        if raw == b"":
            continue
        if raw.endswith(b"\r"):
            raise BuildError(f"{path}:{number}: CR LF line end; the sources use LF only")
        try:
            line = raw.decode("utf-8")
        except UnicodeDecodeError as error:
            raise BuildError(f"{path}:{number}: not UTF-8 ({error.reason} at byte {error.start})") from None
        if line.startswith("#"):
            continue
        yield number, line.split("\t")


def convert(path, number, column, kind, value):
    if kind != "INTEGER":
        return value
    try:
        return int(value)
    except ValueError:
        raise BuildError(f"{path}:{number}: column {column} must be a whole number, found {value!r}") from None


def load_table(db, table, path):
    columns = table_columns(db, table)
    names = [name for name, _ in columns]
    lines = read_source(path)
    header = next(lines, None)
    if header is None:
        raise BuildError(f"{path}: no header line")
    number, fields = header
    if fields != names:
        raise BuildError(f"{path}:{number}: header {fields} does not match the columns of {table}: {names}")
    sql = f"INSERT INTO {quote(table)} ({', '.join(map(quote, names))}) VALUES ({', '.join('?' * len(names))})"
    count = 0
    for number, fields in lines:
        if len(fields) != len(names):
            raise BuildError(f"{path}:{number}: {len(fields)} fields, the header has {len(names)}")
        values = [convert(path, number, n, k, v) for (n, k), v in zip(columns, fields)]
        try:
            db.execute(sql, values)
        except sqlite3.Error as error:
            raise BuildError(f"{path}:{number}: {error}") from None
        count += 1
    return count


def build(schema, tables, out):
    out.parent.mkdir(parents=True, exist_ok=True)
    temp = out.with_name(out.name + ".tmp")
    if temp.exists():
        temp.unlink()
    try:
        db = sqlite3.connect(temp)
        try:
            db.executescript(schema.read_text(encoding="utf-8"))
            defined = {row[0] for row in db.execute("SELECT name FROM sqlite_master WHERE type = 'table'")}
            missing = set(SOURCES) - defined
            if missing:
                raise BuildError(f"{schema}: tables not defined: {', '.join(sorted(missing))}")
            for table, file_name in SOURCES.items():
                path = tables / file_name
                if not path.exists():
                    if table in EXACT_ROWS:
                        raise BuildError(f"{path}: missing; the table {table} needs it")
                    print(f"warning: {path} does not exist yet; table {table} left empty", file=sys.stderr)
                    continue
                count = load_table(db, table, path)
                if table in EXACT_ROWS and count != EXACT_ROWS[table]:
                    raise BuildError(f"{path}: {count} rows; {table} must have exactly {EXACT_ROWS[table]}")
                print(f"{table}: {count} rows from {path.name}")
            for extra in sorted(set(p.name for p in tables.glob("*.tsv")) - set(SOURCES.values())):
                print(f"warning: {tables / extra} belongs to no table; ignored", file=sys.stderr)
            db.commit()
        finally:
            db.close()
        os.replace(temp, out)
    except BaseException:
        if temp.exists():
            temp.unlink()
        raise


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--schema", required=True, type=pathlib.Path)
    parser.add_argument("--tables", required=True, type=pathlib.Path)
    parser.add_argument("--out", required=True, type=pathlib.Path)
    args = parser.parse_args(argv)
    try:
        build(args.schema, args.tables, args.out)
    except (BuildError, sqlite3.Error, OSError) as error:
        print(f"error: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
