#!/usr/bin/env python3
"""The preview of rulecheck counts what modelconv counts, and writes no file.

For every modelconv end-to-end case that converts a file and ends cleanly, runs
modelconv on a copy of its input folder and `rulecheck --data FILE SELECTION` on
another copy, and compares each rule's summary line up to its converted count. The
rulecheck copy must be left exactly as it was.

Usage: check_preview.py MODELCONV RULECHECK CASES_FOLDER
"""
import hashlib
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

SUMMARY = re.compile(rb"^(\s*\d+ \[.{16}\] \[.{16}\] found +-?\d+   converted +-?\d+)", re.M)


def snapshot(folder):
    sums = {}
    for root, _, files in os.walk(folder):
        for name in files:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                sums[os.path.relpath(path, folder)] = hashlib.sha1(f.read()).hexdigest()
    return sums


def main():
    modelconv, rulecheck, cases = (os.path.abspath(a) for a in sys.argv[1:4])
    compared = failed = 0
    for name in sorted(os.listdir(cases)):
        case = os.path.join(cases, name)
        try:
            with open(os.path.join(case, "args")) as f:
                args = shlex.split(f.read())
            with open(os.path.join(case, "expected", "status")) as f:
                status = f.read().strip()
        except (FileNotFoundError, NotADirectoryError):
            continue
        if status != "0" or len(args) != 5 or os.path.exists(os.path.join(case, "setup")):
            continue
        if "/dev/" in " ".join(args):
            continue
        data, selection = args[0], args[1]
        with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
            shutil.copytree(os.path.join(case, "in"), a, dirs_exist_ok=True)
            shutil.copytree(os.path.join(case, "in"), b, dirs_exist_ok=True)
            run = subprocess.run([modelconv] + args, cwd=a, input=b"c\n", capture_output=True)
            before = snapshot(b)
            preview = subprocess.run([rulecheck, "--data", data, selection], cwd=b, capture_output=True)
            expected = SUMMARY.findall(run.stderr)
            got = SUMMARY.findall(preview.stdout)
            problems = []
            if expected != got:
                problems.append("summary lines differ:\n  modelconv %s\n  rulecheck %s" % (expected, got))
            if snapshot(b) != before:
                problems.append("rulecheck changed or created files")
            compared += 1
            if problems:
                failed += 1
                print("FAIL %s: %s" % (name, "; ".join(problems)))
    print("%d cases compared, %d failed" % (compared, failed))
    return 1 if failed or compared == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
