#!/usr/bin/env python3
"""The viewer links no code that writes network files: none of the writers' symbols is in
quilview.exe, while quil.exe has them (so that the check cannot pass on names that changed).

Usage: check_viewer_symbols.py <nm> <quilview.exe> <quil.exe>
"""
import re
import subprocess
import sys

# The element families' block copy-text writers (Write<Family>Section(ElementBox const&)) are not
# network-file writers: the viewer copies blocks to the clipboard too.
WRITERS = re.compile(r"^(WriteNetworkFile|WriteNetFields|WriteBlockPosition|WriteNetMarker|WritePasswordSlice|"
                     r"Write\w*Section(?!\(ElementBox)|SaveSwitches|SaveWithBackups|AutosaveStep)\(")


def writers(nm, exe):
    out = subprocess.run([nm, "-C", "--defined-only", exe], check=True, capture_output=True, text=True).stdout
    names = set()
    for line in out.splitlines():
        parts = line.split(" ", 2)
        if len(parts) == 3 and parts[1] in "TtWw" and WRITERS.match(parts[2]):
            names.add(parts[2].split("(")[0])
    return names


def main():
    nm, viewer, program = sys.argv[1:4]
    in_program = writers(nm, program)
    in_viewer = writers(nm, viewer)
    failures = 0
    for name in ("WriteNetworkFile", "WritePasswordSlice", "WriteGeneralSection", "WriteGridSection",
                 "SaveSwitches"):
        if name not in in_program:
            print("FAIL: quil.exe has no %s (the symbol names changed?)" % name)
            failures += 1
    for name in sorted(in_viewer):
        print("FAIL: quilview.exe links the writer %s" % name)
        failures += 1
    print("%d writers in quil.exe, %d in quilview.exe" % (len(in_program), len(in_viewer)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
