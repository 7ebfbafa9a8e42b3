#!/usr/bin/env python3
"""Adds up one test run into the closing line 'N passed, N failed, N skipped'.

Each ctest tree leaves a JUnit file (ctest --output-junit); a test that is a GoogleTest
executable also leaves its own XML report, and then its test cases are counted one by
one. A plain ctest test counts as one. A GoogleTest executable that ctest saw fail but
whose report shows no failing case (it crashed, or hung and was killed) counts as one
failure more, so a dead test executable is never a silent pass."""
import argparse, os, sys
import xml.etree.ElementTree as ET


def cases(path):
    """(passed, failed, skipped) of one GoogleTest report, or None when unreadable."""
    try:
        root = ET.parse(path).getroot()
    except (ET.ParseError, OSError):
        return None
    p = f = s = 0
    for case in root.iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            f += 1
        elif case.get("result") == "skipped" or case.find("skipped") is not None or case.get("status") == "notrun":
            s += 1
        else:
            p += 1
    return p, f, s


ap = argparse.ArgumentParser()
ap.add_argument("trees", nargs="+", help="NAME=JUNIT_FILE:GTEST_REPORT_DIR for each tree")
ap.add_argument("--extra-passed", type=int, default=0)
ap.add_argument("--extra-failed", type=int, default=0)
ap.add_argument("--extra-skipped", type=int, default=0, help="tests that could not run here")
a = ap.parse_args()

passed, failed, skipped = a.extra_passed, a.extra_failed, a.extra_skipped
for spec in a.trees:
    name, _, rest = spec.partition("=")
    junit, _, reports = rest.partition(":")
    try:
        suite = ET.parse(junit).getroot()
    except (ET.ParseError, OSError):
        print(f"{name}: no test record (the tree did not run)")
        failed += 1
        continue
    for test in suite.iter("testcase"):
        tname = test.get("name")
        ok = test.get("status") == "run" and test.find("failure") is None
        if test.get("status") in ("notrun", "disabled") and test.find("failure") is None:
            skipped += 1
            continue
        got = cases(os.path.join(reports, tname + ".xml"))
        if got is None:
            if ok:
                passed += 1
            else:
                failed += 1
            continue
        p, f, s = got
        passed, failed, skipped = passed + p, failed + f, skipped + s
        if not ok and f == 0:
            print(f"{name}/{tname}: ended without a failing case (crash or time-out)")
            failed += 1

print(f"{passed} passed, {failed} failed, {skipped} skipped")
sys.exit(1 if failed else 0)
