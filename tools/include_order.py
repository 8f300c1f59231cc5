#!/usr/bin/env python3
"""Prints the order of the folders of src/ and the includes that break it.

Every #include "folder/..." between two folders of src/ must point down: from
a folder to one that comes earlier in the order below (the ground first). A
folder may include its own files freely. Exits 1 when an include points up or
sideways to a folder not below it, or a folder is missing from the order.

    tools/include_order.py [src-folder]
"""
import pathlib
import re
import sys

# Ground first: each folder may include only the folders before it.
ORDER = ["common", "resources", "layout", "state", "sound", "sign", "record", "feed", "panel", "board", "form", "vehicle", "maker", "about", "app"]

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/')


def main() -> int:
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent / "src")
    folders = sorted(p.name for p in src.iterdir() if p.is_dir())
    rank = {name: i for i, name in enumerate(ORDER)}
    problems = []
    joins = {}
    for folder in folders:
        if folder not in rank:
            problems.append(f"{folder}: not in the order")
        for path in sorted((src / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp", ".rc"):
                continue
            for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match or match.group(1) == folder or not (src / match.group(1)).is_dir():
                    continue
                target = match.group(1)
                joins.setdefault((folder, target), []).append(f"{path.relative_to(src)}:{number}")
    uphill = 0
    for (folder, target), places in sorted(joins.items()):
        if rank.get(target, len(ORDER)) >= rank.get(folder, -1):
            uphill += 1
            problems.append(f"{folder} -> {target} points up ({len(places)}): " + ", ".join(places))
    print("order, ground first: " + " < ".join(f for f in ORDER if f in folders))
    print(f"{len(joins)} joins between folders, {uphill} pointing up")
    for problem in problems:
        print("  " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
