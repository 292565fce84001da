#!/usr/bin/env python3
"""Reads one export in its three formats back through real parsers and checks
that they hold the same pages, titles, labels and values.

usage: check_formats.py [--single] TSV CSV JSON [TSV_AGAIN]

JSON is read with the json module, CSV with the csv module, TSV by splitting
at tabs and undoing the \\t \\n \\r \\\\ escapes. With --single the files hold
one page (no "# <title>" lines, a JSON object rather than an array).

The three files come from three reads of a live switch, so counters and clocks
may move between them. TSV_AGAIN, a fourth read made after the others, marks
those values: a value that differs between TSV and TSV_AGAIN is only checked
for being there. Everything else (pages, titles, labels, rows, values) must be
the same in every format.
"""
import csv
import json
import sys


def unescape_tsv(field):
    out, i = [], 0
    while i < len(field):
        c = field[i]
        if c == "\\" and i + 1 < len(field):
            nxt = field[i + 1]
            out.append({"t": "\t", "n": "\n", "r": "\r", "\\": "\\"}.get(nxt, "\\" + nxt))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def blocks(records, single):
    """Splits records into pages: (title or None, records)."""
    if single:
        return [(None, records)]
    pages, current = [], None
    for record in records:
        if record == []:
            continue
        if len(record) == 1 and record[0].startswith("# "):
            current = (record[0][2:], [])
            pages.append(current)
            continue
        if current is None:
            raise SystemExit("a record before the first page title: %r" % (record,))
        current[1].append(record)
    return pages


def tsv_records(path):
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return [[] if line == "" else [unescape_tsv(x) for x in line.split("\t")] for line in lines]


def csv_records(path):
    with open(path, encoding="utf-8", newline="") as f:
        return list(csv.reader(f))


def json_pages(path, single):
    with open(path, encoding="utf-8") as f:
        document = json.load(f)
    pages = [document] if single else document
    if not isinstance(pages, list):
        raise SystemExit("JSON: expected an array of pages")
    result = []
    for page in pages:
        for key in ("title", "name", "kind"):
            if not isinstance(page.get(key), str):
                raise SystemExit("JSON: page without %s: %r" % (key, page))
        if page["kind"] == "table":
            columns = page["columns"]
            records = [columns] + page["rows"]
            for row in page["rows"]:
                if len(row) != len(columns):
                    raise SystemExit("JSON: %s: row of %d values under %d columns"
                                     % (page["title"], len(row), len(columns)))
        elif page["kind"] == "scalars":
            records = [[v["label"], v["value"]] for v in page["variables"]]
        else:
            raise SystemExit("JSON: unknown kind %r" % page["kind"])
        for record in records:
            if not all(isinstance(x, str) for x in record):
                raise SystemExit("JSON: %s: a value that is not a string" % page["title"])
        result.append((page["title"], records))
    return result


def main(argv):
    single = "--single" in argv
    paths = [a for a in argv if a != "--single"]
    if len(paths) not in (3, 4):
        raise SystemExit(__doc__)
    reference = json_pages(paths[2], single)
    tsv = blocks(tsv_records(paths[0]), single)
    again = blocks(tsv_records(paths[3]), single) if len(paths) == 4 else tsv
    csv_pages = blocks(csv_records(paths[1]), single)
    live = 0
    for name, pages in (("TSV", tsv), ("CSV", csv_pages), ("TSV again", again)):
        if len(pages) != len(reference):
            raise SystemExit("%s: %d pages, JSON: %d" % (name, len(pages), len(reference)))
        for (title, records), (json_title, json_records) in zip(pages, reference):
            if title is not None and title != json_title:
                raise SystemExit("%s: page %r where JSON has %r" % (name, title, json_title))
            if len(records) != len(json_records):
                raise SystemExit("%s: %s: %d lines where JSON has %d"
                                 % (name, json_title, len(records), len(json_records)))
            for a, b in zip(records, json_records):
                if len(a) != len(b):
                    raise SystemExit("%s: %s: %r where JSON has %r" % (name, json_title, a, b))
    for p, (title, json_records) in enumerate(reference):
        for r, json_record in enumerate(json_records):
            first, later = tsv[p][1][r], again[p][1][r]
            for f, value in enumerate(json_record):
                if first[f] != later[f]:
                    live += 1   # moved between the reads
                    continue
                for name, pages in (("TSV", tsv), ("CSV", csv_pages)):
                    if pages[p][1][r][f] != value:
                        raise SystemExit("%s: %s: %r where JSON has %r"
                                         % (name, title, pages[p][1][r], json_record))
    print("%d pages agree in TSV, CSV and JSON (%d live values)" % (len(reference), live))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
