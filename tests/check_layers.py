#!/usr/bin/env python3
"""Includes point down only: core/ includes nothing outside core/, model/ nothing outside core/ and
model/. A lower layer that must reach up calls a hook that start-up sets instead.

Usage: check_layers.py <source folder>
"""
import os
import re
import sys

# The layer of each program folder; a file may include from its own layer and those below it.
LAYERS = {"core": 0, "model": 1}
UPPER = 2  # every other folder of the program (app, graphics, views, resources, ...)
CHECKED = ("core", "model")
SOURCE = re.compile(r"\.(c|cc|cpp|h|hpp|inc)$")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')


def folder_of(source, including_dir, included):
    """The program folder an include names, or None for system and generated headers. A path is
    looked up beside the including file first, then from the top of the tree (the include path)."""
    included = included.replace("\\", "/")
    for base in (including_dir, source):
        full = os.path.normpath(os.path.join(base, included))
        if os.path.exists(full):
            rel = os.path.relpath(full, source).replace("\\", "/")
            if rel.startswith(".."):
                return None
            first = rel.split("/")[0]
            return first if "/" in rel else None
    first = included.split("/")[0]  # a generated header named by its folder
    return first if "/" in included and os.path.isdir(os.path.join(source, first)) else None


def main():
    source = os.path.abspath(sys.argv[1])
    faults = 0
    files = 0
    for top in CHECKED:
        layer = LAYERS[top]
        for root, _dirs, names in os.walk(os.path.join(source, top)):
            for name in sorted(names):
                if not SOURCE.search(name):
                    continue
                files += 1
                path = os.path.join(root, name)
                rel = os.path.relpath(path, source)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        included = m.group(1)
                        target = folder_of(source, root, included)
                        if target is None:
                            continue
                        if LAYERS.get(target, UPPER) > layer:
                            print("FAIL: %s:%d includes %s (%s is above %s)" % (rel, number, included,
                                                                                 target, top))
                            faults += 1
    print("%d files of core/ and model/ read, %d includes point up" % (files, faults))
    return 1 if faults or files == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
