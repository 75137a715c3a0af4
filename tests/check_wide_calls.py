#!/usr/bin/env python3
"""The program above the wrapper layer makes no wide platform call of its own: every call whose
form depends on the text mode (the "...W" functions) goes through the Wrap functions of core/, so
that the ANSI-call mode reaches every window, menu, icon and module call.

Usage: check_wide_calls.py <source folder>
"""
import os
import re
import sys

FOLDERS = ("model", "app", "graphics", "views", "signalling", "elements", "trains", "viewer")
SOURCE = re.compile(r"\.(cpp|h)$")
# A Win32 function of the wide form: a capitalised name ending in W, called.
WIDE_CALL = re.compile(r"\b([A-Z][A-Za-z0-9]*[a-z0-9]W)\s*\(")
ALLOWED = {"MAKEINTRESOURCEW"}  # a cast, the same in both modes


def strip_comment(line):
    cut = line.find("//")
    return line if cut < 0 else line[:cut]


def main():
    source = os.path.abspath(sys.argv[1])
    faults = files = 0
    for folder in FOLDERS:
        top = os.path.join(source, folder)
        for root, _dirs, names in os.walk(top):
            for name in sorted(names):
                if not SOURCE.search(name):
                    continue
                files += 1
                path = os.path.join(root, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        for call in WIDE_CALL.findall(strip_comment(line)):
                            if call in ALLOWED:
                                continue
                            print("FAIL: %s:%d calls %s directly (use its Wrap function)" %
                                  (os.path.relpath(path, source), number, call))
                            faults += 1
    print("%d files read, %d wide calls outside the wrapper layer" % (files, faults))
    return 1 if faults or files == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
