#!/usr/bin/env python3
"""Checks the check's pages as the browser built them (chromium --dump-dom):
results.html ranks every log of results.csv once for Japan or the world,
lists the checklogs and the files not checked, and every page refers to
nothing outside itself but the entrants' pages beside it.

usage: check_results_page.py RESULTS_FOLDER DOM_OF_RESULTS_HTML [DOM_OF_AN_ENTRANT_PAGE...]"""
import csv
import os
import sys
from html.parser import HTMLParser


class Page(HTMLParser):
    """Links, references outside the page, and the calls ranked per h2 section."""

    def __init__(self):
        super().__init__()
        self.outside, self.links, self.ranked, self.items = [], [], {}, []
        self.section = None
        self.in_h2 = self.in_li = False
        self.cell = None
        self.row_cells = 0

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for name in ("src", "srcset", "action"):
            if name in attrs:
                self.outside.append(f"<{tag} {name}={attrs[name]}>")
        href = attrs.get("href")
        if href is not None:
            if href.startswith("#"):
                pass
            elif "/" in href or ":" in href or "\\" in href or not href.endswith(".html"):
                self.outside.append(f"<{tag} href={href}>")
            else:
                self.links.append(href)
        if tag in ("script", "link", "iframe", "object", "embed", "img"):
            self.outside.append(f"<{tag}>")
        if tag == "h2":
            self.in_h2 = True
            self.section = attrs.get("id")
        if tag == "tr":
            self.row_cells = 0
        if tag == "td":
            self.row_cells += 1
            self.cell = [] if self.row_cells == 2 else None
        if tag == "li":
            self.in_li = True
            self.items.append((self.section, []))

    def handle_endtag(self, tag):
        if tag == "h2":
            self.in_h2 = False
        if tag == "td" and self.cell is not None:
            self.ranked.setdefault(self.section, []).append("".join(self.cell).strip())
            self.cell = None
        if tag == "li":
            self.in_li = False

    def handle_data(self, data):
        if self.cell is not None:
            self.cell.append(data)
        if self.in_li:
            self.items[-1][1].append(data)
        if "url(" in data or "@import" in data:
            self.outside.append(data.strip()[:60])


def main():
    folder, results_dom, entrant_doms = sys.argv[1], sys.argv[2], sys.argv[3:]
    failed = []
    page = Page()
    page.feed(open(results_dom, encoding="utf-8").read())
    with open(os.path.join(folder, "results.csv"), encoding="utf-8") as f:
        ranked = [row["call"] for row in csv.DictReader(f)]
    both = page.ranked.get("japan", []) + page.ranked.get("world", [])
    if sorted(both) != sorted(ranked):
        failed.append(f"Japan and the world rank {len(both)} calls, results.csv {len(ranked)}")
    for section in ("continents", "countries"):
        if sorted(page.ranked.get(section, [])) != sorted(ranked):
            failed.append(f"the {section} do not rank every log once")
    with open(os.path.join(folder, "received.csv"), encoding="utf-8") as f:
        received = list(csv.DictReader(f))
    listed = " ".join("".join(text) for _, text in page.items)
    for row in received:
        if row["status"] in ("rejected", "superseded") and row["file"] not in listed:
            failed.append(f"{row['file']} ({row['status']}) is not listed")
        if row["status"] in ("checklog", "not_scored") and row["call"] not in listed:
            failed.append(f"{row['call']} ({row['status']}) is not listed")
    for link in set(page.links):
        if not os.path.isfile(os.path.join(folder, link)):
            failed.append(f"the link {link} names no page of the folder")
    for dom in [results_dom] + entrant_doms:
        p = page if dom == results_dom else Page()
        if dom != results_dom:
            p.feed(open(dom, encoding="utf-8").read())
            if "Log check" not in open(dom, encoding="utf-8").read():
                failed.append(f"{dom}: no log-check section")
        if p.outside:
            failed.append(f"{dom} refers outside itself: {p.outside[:3]}")
    for failure in failed:
        print(f"check_results_page: {failure}", file=sys.stderr)
    print(f"check_results_page: {len(ranked)} logs ranked, {len(received)} files received, "
          f"{len(set(page.links))} entrant pages linked")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
