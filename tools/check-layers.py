#!/usr/bin/env python3
"""Fails when a piece of src/ includes a piece it may not: the table of what
each piece may include is the one in docs/developer-guide.md ("Pieces and what
each may include"), so that the order is written once. Includes are written
from src/ ("logs/cabrillo_reader.h"); a bare name is taken only for a file the
build makes (dkz_version.h, export_names.inc) or a resource script beside the
including file."""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
GUIDE = os.path.join(ROOT, "docs", "developer-guide.md")
GENERATED = {"dkz_version.h", "export_names.inc"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def allowed_includes():
    text = open(GUIDE, encoding="utf-8").read()
    section = text.split("## Pieces and what each may include", 1)[1].split("\n## ", 1)[0]
    table = {}
    for line in section.splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) == 2 and cells[0].startswith("`"):
            piece = cells[0].strip("`")
            table[piece] = set(re.findall(r"`([^`]+)`", cells[1]))
    return table


def main():
    table = allowed_includes()
    faults = []
    src = os.path.join(ROOT, "src")
    for piece in sorted(os.listdir(src)):
        folder = os.path.join(src, piece)
        if not os.path.isdir(folder):
            continue
        if piece not in table:
            faults.append(f"src/{piece}/: a piece the guide's table does not name")
            continue
        may = table[piece] | {piece}
        for where, _, files in os.walk(folder):
            for name in files:
                if not name.endswith((".h", ".cpp", ".c", ".rc")):
                    continue
                path = os.path.join(where, name)
                shown = os.path.relpath(path, ROOT)
                for included in INCLUDE.findall(open(path, encoding="utf-8").read()):
                    if "/" not in included:
                        beside = os.path.exists(os.path.join(where, included))
                        if included not in GENERATED and not (beside and included.endswith(".rc")):
                            faults.append(f"{shown}: \"{included}\" is not written from src/")
                        continue
                    other = included.split("/", 1)[0]
                    if other not in may:
                        faults.append(f"{shown}: includes {included}, but {piece} may not include {other}")
    for fault in faults:
        print(fault)
    if faults:
        print(f"check-layers: {len(faults)} includes break the order of the pieces", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
