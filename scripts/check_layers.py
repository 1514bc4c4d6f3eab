#!/usr/bin/env python3
"""Checks that every source file includes only headers of its own layer or of the layers
below it:

    text -> diagnostics -> lexer -> syntax -> generator, algorithms -> run (the pipeline)
         -> project, settings -> cli, workbench

Within a layer, generator and algorithms use each other and settings uses project; cli
and the workbench never include each other. Prints every offending include and exits 1
when there is one.

    scripts/check_layers.py [SOURCE_ROOT]
"""

import pathlib
import re
import sys

LAYERS = [
    ["translator/text"],
    ["translator/diagnostics"],
    ["translator/lexer"],
    ["translator/syntax"],
    ["translator/generator", "translator/algorithms"],
    ["translator/run"],
    ["project", "settings"],
    ["cli", "workbench"],
]
# Folders of one layer that may include each other: (includer, included).
SIBLINGS = {
    ("translator/generator", "translator/algorithms"),
    ("translator/algorithms", "translator/generator"),
    ("settings", "project"),
}
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folder_of(relative):
    """The layer folder a path under src/ belongs to, or None."""
    parts = pathlib.PurePosixPath(relative).parts
    for length in (2, 1):
        candidate = "/".join(parts[:length])
        if candidate in RANK:
            return candidate
    return None


def main():
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent / "src"
    faults = []
    files = sorted(p for p in root.rglob("*") if p.suffix in (".h", ".cpp"))
    for path in files:
        own = folder_of(path.relative_to(root).as_posix())
        if own is None:
            continue
        for included in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            target = folder_of(included)
            if target is None or target == own:
                continue
            if RANK[target] < RANK[own] or (own, target) in SIBLINGS:
                continue
            faults.append(f"{path.relative_to(root)}: includes {included} ({target} is not below {own})")
    for fault in faults:
        print(fault)
    print(f"{len(files)} files checked, {len(faults)} includes across the layers")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
