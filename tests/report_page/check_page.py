#!/usr/bin/env python3
"""Checks a report page as the browser built it (chromium --dump-dom) against
the summary dkz-score printed: the score table holds the same numbers, the
district grid has a row per district and its worked counts are the plug-in's,
and the page refers to nothing outside itself.

usage: check_page.py DOM_FILE DKZ_SCORE_OUTPUT"""
import sys
from html.parser import HTMLParser


class Tables(HTMLParser):
    """The cells of every table with an id, by section (thead/tbody/tfoot)."""

    def __init__(self):
        super().__init__()
        self.tables, self.outside, self.svg_rects = {}, [], 0
        self.table = self.section = self.row = self.cell = None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for name in ("src", "href", "srcset", "action"):
            if name in attrs:
                self.outside.append(f"<{tag} {name}={attrs[name]}>")
        if tag in ("script", "link", "iframe", "object", "embed"):
            self.outside.append(f"<{tag}>")
        if tag == "rect":
            self.svg_rects += 1
        if tag == "table" and "id" in attrs:
            self.table = self.tables.setdefault(attrs["id"], {})
        elif self.table is not None and tag in ("thead", "tbody", "tfoot"):
            self.section = self.table.setdefault(tag, [])
        elif self.section is not None and tag == "tr":
            self.row = []
            self.section.append(self.row)
        elif self.row is not None and tag in ("td", "th"):
            self.cell = []

    def handle_endtag(self, tag):
        if tag in ("td", "th") and self.cell is not None:
            self.row.append("".join(self.cell).strip())
            self.cell = None
        elif tag == "table":
            self.table = self.section = self.row = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell.append(data)
        if "url(" in data or "@import" in data:
            self.outside.append(data.strip()[:60])


def summary_rows(text):
    """Rows of the plug-in's table from dkz-score's output: band -> numbers."""
    rows, score = {}, None
    for line in text.splitlines():
        cells = [c.strip() for c in line.split("\t")]
        if len(cells) >= 4 and cells[0] and all(c.isdigit() for c in cells[1:]):
            rows[cells[0]] = [int(c) for c in cells[1:]]
        elif len(cells) == 2 and cells[0] == "Score":
            score = int(cells[1])
    return rows, score


def main(dom_file, output_file):
    page = Tables()
    page.feed(open(dom_file, encoding="utf-8").read())
    expected, score = summary_rows(open(output_file, encoding="utf-8").read())
    faults = []
    table = page.tables.get("summary-table", {})
    shown = {r[0]: [int(c) for c in r[1:]] for r in table.get("tbody", []) + table.get("tfoot", [])[:1]}
    if shown != expected:
        faults.append(f"score table {shown} differs from the summary {expected}")
    shown_score = [r[1] for r in table.get("tfoot", []) if r and r[0] == "Score"]
    if shown_score != [str(score)]:
        faults.append(f"score {shown_score} differs from the summary's {score}")
    japanese = len(next(iter(expected.values()), [])) == 4
    # The continents' grid adds a row for any other continent text counted.
    grids = [("district-grid", 62, 62, 2)] + ([("continent-grid", 6, 8, 3)] if japanese else [])
    for grid_id, least, most, column in grids:
        grid = page.tables.get(grid_id, {})
        if not least <= len(grid.get("tbody", [])) <= most:
            faults.append(f"{grid_id} has {len(grid.get('tbody', []))} rows, not {least}")
        bands = grid.get("thead", [[]])[0][1:]
        worked = dict(zip(bands, (int(c) for c in grid.get("tfoot", [[None]])[0][1:])))
        for band, numbers in expected.items():
            if band != "Total" and worked.get(band, 0) != numbers[column]:
                faults.append(f"{grid_id}: {band} worked {worked.get(band)}, summary {numbers[column]}")
    if page.svg_rects == 0:
        faults.append("the rate chart has no bars")
    if page.outside:
        faults.append(f"refers to things outside the page: {page.outside[:5]}")
    for fault in faults:
        print(f"{dom_file}: {fault}", file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]) if len(sys.argv) == 3 else __doc__)
