#!/usr/bin/env python3
"""Adds up the GoogleTest XML reports of both trees into one closing line,
'N passed, N failed, N skipped'. A ctest test that crashed before writing a report
counts as one failure, so a dead test executable is never a silent pass."""
import argparse, glob, os, re, sys
import xml.etree.ElementTree as ET

ap = argparse.ArgumentParser()
ap.add_argument("results")
ap.add_argument("trees", nargs="*")
ap.add_argument("--extra-passed", type=int, default=0)
ap.add_argument("--extra-failed", type=int, default=0)
a = ap.parse_args()

passed, failed, skipped = a.extra_passed, a.extra_failed, 0
reported = set()
for path in glob.glob(os.path.join(a.results, "*", "*.xml")):
    reported.add(os.path.splitext(os.path.basename(path))[0])
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError:
        failed += 1
        continue
    for case in root.iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        elif case.get("status") == "notrun" or case.find("skipped") is not None or case.get("result") == "skipped":
            skipped += 1
        else:
            passed += 1

# ctest's own record of which tests failed; those without a report crashed.
for tree in a.trees:
    log = os.path.join(tree, "Testing", "Temporary", "LastTestsFailed.log")
    if os.path.exists(log):
        for line in open(log, encoding="utf-8", errors="replace"):
            m = re.match(r"\d+:(\S+)", line.strip())
            if m and m.group(1) not in reported:
                print(f"{m.group(1)}: ended without a report")
                failed += 1

print(f"{passed} passed, {failed} failed, {skipped} skipped")
sys.exit(1 if failed else 0)
