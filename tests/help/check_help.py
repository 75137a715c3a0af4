#!/usr/bin/env python3
"""Checks the built help file: it exists, and it holds a topic "html/NNNNN.htm" for every topic
the help project lists (the program's help ids) and for the fixed topics of the menus; the
project defines the two window types the program's help calls name, and the file carries them.

Usage: check_help.py <quil.chm> <topics.txt>
"""
import os
import re
import sys

FIXED = [21051, 7140, 7150, 7175, 7130, 7160, 11000]


def main():
    chm_path, topics_path = sys.argv[1], sys.argv[2]
    data = open(chm_path, "rb").read()
    failures = 0
    if data[:4] != b"ITSF":
        print("FAIL: %s is not a compiled help file" % chm_path)
        return 1
    topics = [int(line) for line in open(topics_path) if line.strip()]
    for number in sorted(set(topics) | set(FIXED)):
        name = ("/html/%05u.htm" % number).encode()
        if name not in data:
            print("FAIL: topic %s missing" % name.decode())
            failures += 1
    if 50770 not in topics:   # the dialog engine's own message (a list that refuses entries)
        print("FAIL: the help project lists no topic for message 770")
        failures += 1
    project = open(os.path.join(os.path.dirname(topics_path), "quil.hhp"), encoding="utf-8").read()
    windows = re.search(r"\[WINDOWS\](.*?)(\n\[|$)", project, re.S)
    for name in ("ViewerIndexOn", "ViewerIndexOff"):
        if not windows or not re.search(r"^%s=" % name, windows.group(1), re.M):
            print("FAIL: the help project defines no window type %s" % name)
            failures += 1
    if b"/#WINDOWS" not in data:
        print("FAIL: the help file carries no window types")
        failures += 1
    passed = len(set(topics) | set(FIXED)) + 4 - failures
    print("%d passed, %d failed" % (passed, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
