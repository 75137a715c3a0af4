#!/usr/bin/env python3
"""Fails when a test of the build has no TIMEOUT property.

Usage: check_timeouts.py <ctest> <build folder>
"""
import json
import subprocess
import sys


def main():
    ctest, build = sys.argv[1], sys.argv[2]
    listing = subprocess.run([ctest, "--test-dir", build, "--show-only=json-v1"], check=True,
                             capture_output=True, text=True).stdout
    tests = json.loads(listing).get("tests", [])
    missing = []
    for test in tests:
        names = {p.get("name") for p in test.get("properties", [])}
        if "TIMEOUT" not in names:
            missing.append(test["name"])
    for name in missing:
        print("FAIL: test %s has no timeout" % name)
    print("%d tests, %d without a timeout" % (len(tests), len(missing)))
    return 1 if missing or not tests else 0


if __name__ == "__main__":
    sys.exit(main())
