#!/usr/bin/env python3
"""Runs rulecheck --responses on hostile cases generated here from a fixed seed: records of
simulated models with any values (zeros, negatives, huge ones, inf, nan, too few), rules
that compute anything, and output names that may be the same as an input, as another
output, or a name the response files take. Every case must hold up:

- no crash, no sanitizer report, no hang, exit status 0 or 1;
- no file it reads is changed, and where an output would be an input or another output,
  or lies under a name the response files take, nothing at all is written;
- summary.csv is well-formed CSV of the header's columns, its numeric columns parse, and
  no row passes without a finite deviation within the tolerance (no NaN behind a PASS);
- every per-record CSV file is well-formed, and the report is well-formed HTML;
- no temporary file is left behind.

Usage: check_rulecheck_hostile.py RULECHECK [CASES]   (default 300 cases)
"""
import csv
import hashlib
import html.parser
import io
import math
import os
import random
import shutil
import subprocess
import sys
import tempfile

SUMMARY_HEAD = ["line", "bus", "name", "kv", "id", "from", "to", "test", "output", "outcome",
                "deviation", "time_s", "f_hz", "reason"]
OUTCOMES = {"PASS", "FAIL", "NO_START_OLD", "NO_START_NEW", "NOT_SIMULATED", "NOT_REPRESENTABLE",
            "INVALID_DATA", "CONVERSION_FAILED", "NOT_JUDGED", "UNSTABLE_OLD", "UNSTABLE_NEW"}
# The outcomes that carry a deviation: compared, or compared and then overruled.
WITH_DEVIATION = {"PASS", "FAIL", "NOT_JUDGED", "UNSTABLE_NEW"}

# Each model with its count and a typical record, and rules from it.
MODELS = {
    "tgov1": "0.05 0.5 1 0 3 10 0",
    "ieeeg1": "20 0 0 0.5 1 -1 1 0 0 0.3 0 10 0.7" + " 0" * 22,
    "gast": "0.05 0.4 0.1 3 1.5 3 1.5 -0.2 0 0 99 99 10 99 0 1" + " 0" * 18,
    "hygov": "0.05 0.5 7 0.05 0.2 0.07 1 0 2 1.1 0.5 0.1",
    "ieeest": "1 0 0 0 0 0 0 0.15 0.03 0.15 0.03 2 2 10 0.1 -0.1 0 0",
    "pss1a": "1 0 0 0 0.15 0.03 0.15 0.03 2 0 10 0.1 -0.1 0 0",
    "exst1": "0.02 0.2 -0.2 1 10 200 0.02 6 -5 0.05 0 1",
    "esst1a": "0.02 0.2 -0.2 1 10 200 0.02 6 -5 0.05 0 1 0 0 99 -99 0 0 0 0",
    "sexs": "0.1 10 200 0.05 -4 4 0 0 -4 4 0",
    "genrou": "8 0.03 0.4 0.05 3 0 1.8 1.7 0.3 0.55 0.25 0.2 0.09 0.38 0 0 0 0",
    "gentpj": "8 0.03 0.4 0.05 3 0 1.8 1.7 0.3 0.55 0.25 0.25 0.2 0.09 0.38 0 0 0 0 0",
    "ggov1": "0.04 1 1 0.05 -0.05 10 2 0 1 1 0.15 0.5 1.5 0.2 0.5 0 1 0 3 2 0.67 1 0 0.1 -0.1"
             " 0 0 0.01 10 0.1 0 4 5 99 -99",
    "hyg3": "1 0 1 0 0.05 0.05 0.1 0.05 0.2 -0.2 0.01 2.5 0.1 2 0 0 0 0 1 1.2 0.5 0.08 1" + " 0" * 12,
    "ieeeg3": "0.05 0.04 0.1 -0.1 1 0 0.05 0.3 5 1 1 -1 0.5" + " 0" * 16,
    "pidgov": "0 0.05 1.8 0.2 0 1 0.5 0.2 -0.2 1 0 1 1 0 0 0 0.5 0.6 0.8 0.9 1 1 0",
    "exst3a": "0 0.2 -0.2 200 1 10 7.04 0.4 1 0 1 4.37 4.83 6.53 1.1 0 6.53 20",
    "esst3a": "0 0.2 -0.2 7.93 1 10 200 0 10 -10 1 6.15 0 6.9 0.2 0.081 5.8 0 0.4 1 0",
    "esst4b": "0 1 0.03 0.02 1 -0.87 1 0 1 -0.87 0 9.3 0 0 0.08 0 5.5 999",
    "exac1": "0 0 0 400 0.02 9 -5.43 0.8 0.03 1 0.2 0.38 1 4.18 0.1 3.14 0.03",
    "esac1a": "0 0 0 400 0.02 9 -5.43 0.8 0.03 1 0.2 0.38 1 4.18 0.1 3.14 0.03 6.03 -5.43 0",
    "esdc1a": "0 400 0.02 0 0 9 -5.43 1 0.8 0.03 1 5.25 0.03 7 0.1",
    "ieeet1": "0 400 0.04 7.3 -7.3 1 0.8 0.03 1 0 2.8 0.04 3.73 0.33",
    "genqec": "8 0.03 0.4 0.05 6.5 0 1.8 1.7 0.3 0.55 0.25 0.25 0.2 0.09 0.38 0.0025 0 0 0 1",
    "genroe": "8 0.03 0.4 0.05 3 0 1.8 1.7 0.3 0.55 0.25 0.2 0.09 0.38 0 0 0 0",
    "gensae": "5 0.05 0.1 3 0 1 0.6 0.3 0.22 0.15 0.1 0.3 0 0 0",
}
PAIRS = [("tgov1", "ieeeg1"), ("tgov1", "tgov1"), ("gast", "gast"), ("hygov", "hygov"),
         ("ieeest", "pss1a"), ("pss1a", "pss1a"), ("exst1", "esst1a"), ("sexs", "sexs"),
         ("genrou", "gentpj"), ("genrou", "genrou"), ("gast", "ggov1"), ("ggov1", "ggov1"),
         ("hyg3", "hyg3"), ("ieeeg3", "hygov"), ("pidgov", "pidgov"), ("exst3a", "esst3a"),
         ("esst4b", "esst4b"), ("exac1", "esac1a"), ("esdc1a", "ieeet1"), ("genrou", "genqec"),
         ("gensae", "genqec"), ("genroe", "genrou")]
WILD = ["0", "-0", "-1", "1e-9", "1e9", "3e38", "-3e38", "inf", "-inf", "nan", "1e-40", "0.002",
        "99999", "-99999", "x", "0.5", "2"]


def rule_text(rng, source, target):
    """A rule reading every value of its from-model and writing every value of its
    to-model: mostly carried by position, sometimes computed wildly."""
    n_in = len(MODELS[source].split())
    n_out = len(MODELS[target].split())
    lines = ["@v%d" % k for k in range(n_in)] + ["@end"]
    for k in range(n_out):
        src = "@v%d" % (k % n_in)
        kind = rng.randrange(10)
        if kind == 0:
            expression = "%s*%s" % (src, rng.choice(WILD[:7] + ["100000000000000000000"]))
        elif kind == 1:
            expression = "1/%s" % src
        elif kind == 2:
            expression = rng.choice(["0", "1", "-1", "0.5", "20"])
        else:
            expression = src
        test = rng.choice(["", "", "", "($o%d>0)" % k])
        replace = rng.choice(["NULL", "0", "1"]) if test else ""
        lines.append(("$o%d=%s 0 0 %s %s" % (k, expression, test, replace)).rstrip())
    lines.append("$end")
    return "\n".join(lines) + "\n"


def fit_text(rng, target):
    """A fit file naming some outputs of the rule (and now and then a name it has not, a
    repeated one or bounds that are no bounds)."""
    n_out = len(MODELS[target].split())
    lines = ["# hostile fit"]
    for _ in range(rng.randrange(1, 4)):
        name = "$o%d" % rng.randrange(n_out + (1 if rng.random() < 0.1 else 0))
        bounds = rng.choice(["", "", "0 10", "-1 1", "0.001 1e6", "1 0", "x 2", "nan 1", "0 inf"])
        lines.append(("%s %s" % (name, bounds)).rstrip())
    return "\n".join(lines) + "\n"


def record(rng, model, line):
    values = MODELS[model].split()
    for k in range(len(values)):
        if rng.random() < 0.08:
            values[k] = rng.choice(WILD)
    if rng.random() < 0.1:
        values = values[:rng.randrange(len(values) + 1)]
    kv = rng.choice(["13.8", "22", "inf", "nan", "!", "-1"])
    name = rng.choice(["BUS %d" % line, "A,B", 'Q"T', "!", "  PAD  "])
    quoted_name = name if name == "!" else '"%s"' % name.replace('"', "'")
    unit = rng.choice(['"1 "', '"1"', '"AB"', '"--"'])
    return "%s %d %s %s %s : %s\n" % (model, rng.randrange(1, 9999), quoted_name, kv, unit,
                                      " ".join(values))


def digest(folder):
    """Every file of the folder by its relative path, with its bytes' hash."""
    found = {}
    for root, _, files in os.walk(folder):
        for name in files:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                found[os.path.relpath(path, folder)] = hashlib.sha1(f.read()).hexdigest()
    return found


class Nesting(html.parser.HTMLParser):
    VOID = {"meta", "br", "img", "rect", "line", "circle", "polyline", "path", "text"}

    def __init__(self):
        super().__init__()
        self.stack, self.errors = [], []

    def handle_starttag(self, tag, attrs):
        if tag not in ("meta", "br", "img"):
            self.stack.append(tag)

    def handle_startendtag(self, tag, attrs):
        pass

    def handle_endtag(self, tag):
        if not self.stack or self.stack[-1] != tag:
            self.errors.append("</%s> closes <%s>" % (tag, self.stack[-1] if self.stack else ""))
        else:
            self.stack.pop()


def number(text):
    try:
        return float(text)
    except ValueError:
        return None


def check_summary(path, tolerance):
    problems = []
    with open(path, newline="", encoding="latin-1") as f:
        rows = list(csv.reader(f))
    if not rows or rows[0] != SUMMARY_HEAD:
        return ["summary.csv head %s" % (rows[:1],)]
    for row in rows[1:]:
        if len(row) != len(SUMMARY_HEAD):
            problems.append("summary row of %d columns: %s" % (len(row), row))
            continue
        cells = dict(zip(SUMMARY_HEAD, row))
        if number(cells["line"]) is None or number(cells["bus"]) is None:
            problems.append("summary row with a line or bus that is no number: %s" % row)
        for column in ("deviation", "time_s", "f_hz"):
            if cells[column] and number(cells[column]) is None:
                problems.append("summary %s [%s] is no number" % (column, cells[column]))
        if cells["outcome"] not in OUTCOMES:
            problems.append("summary outcome [%s]" % cells["outcome"])
        compared = cells["outcome"] in WITH_DEVIATION
        if compared != bool(cells["deviation"]):
            problems.append("summary %s row with deviation [%s]" % (cells["outcome"], cells["deviation"]))
        if cells["outcome"] == "PASS":
            d = number(cells["deviation"])
            limit = 5.0 if cells["output"] == "phase" else tolerance
            if d is None or not math.isfinite(d) or d > limit:
                problems.append("a PASS with deviation [%s]" % cells["deviation"])
    return problems


def check_record_file(path):
    with open(path, newline="", encoding="latin-1") as f:
        rows = list(csv.reader(f))
    if len(rows) < 2:
        return ["%s has no rows" % os.path.basename(path)]
    width = len(rows[0])
    bad = [r for r in rows[1:] if len(r) != width or any(number(c) is None for c in r)]
    return ["%s: row %s" % (os.path.basename(path), bad[0])] if bad else []


def check_record_file_shape(path):
    """A CSV file of text columns: every row as wide as its head."""
    with open(path, newline="", encoding="latin-1") as f:
        rows = list(csv.reader(f))
    if not rows:
        return ["%s is empty" % os.path.basename(path)]
    bad = [r for r in rows[1:] if len(r) != len(rows[0])]
    return ["%s: row %s" % (os.path.basename(path), bad[0])] if bad else []


# Cases whose summary.csv was written and read back, and those that also fitted: a run
# of the check in which none did would have checked nothing.
SEEN = {"summaries": 0, "fits": 0}


def one_case(rulecheck, rng, folder, index):
    os.makedirs(os.path.join(folder, "lib"))
    pairs = rng.sample(PAIRS, rng.randrange(1, 4))
    with open(os.path.join(folder, "rule.txt"), "w") as f:
        f.write("".join("%s %s\n" % p for p in pairs))
    for source, target in pairs:
        with open(os.path.join(folder, "lib", "%s-%s" % (source, target)), "w") as f:
            f.write(rule_text(rng, source, target))
    data = "data.dyd"
    with open(os.path.join(folder, data), "w", encoding="latin-1") as f:
        for line in range(1, rng.randrange(2, 16)):
            f.write(record(rng, rng.choice(pairs)[0], line))
    csv_folder = rng.choice(["out", "out", "lib", ".", "out/deeper"])
    report = rng.choice(["report.html"] * 6 + [None] * 3 +
                        ["out/summary.csv", "out/L1-pm.csv", data, "rule.txt", "lib/%s-%s" % pairs[0],
                         "out/report.html"])
    # A name the response files take, planted where the run would read or write it.
    clash = report in (data, "rule.txt", "lib/%s-%s" % pairs[0])
    if report and os.path.dirname(report) == csv_folder and report != "out/report.html":
        clash = True
    if csv_folder == "lib" and rng.random() < 0.3:
        # A rule file named like a response file.
        name = "L%d-pm.csv" % rng.randrange(1, 9)
        with open(os.path.join(folder, "rule.txt"), "a") as f:
            f.write("%s %s\n" % tuple(name.split("-")))
        with open(os.path.join(folder, "lib", name), "w") as f:
            f.write("@a\n@end\n$b=@a\n$end\n")
        clash = True
    if csv_folder == "." and rng.random() < 0.3:
        os.rename(os.path.join(folder, data), os.path.join(folder, "summary.csv"))
        data = "summary.csv"
        clash = True
    tolerance = rng.choice([5, 1, 50])
    args = ["--data", data, "--responses", "--tolerance", str(tolerance), "--csv", csv_folder]
    if report:
        args += ["--report", report]
    fitted = None
    if rng.random() < 0.15:
        # A fit file beside the first rule, and the fitted file, itself sometimes a clash.
        with open(os.path.join(folder, "lib", "%s-%s.fit" % pairs[0]), "w") as f:
            f.write(fit_text(rng, pairs[0][1]))
        fitted = rng.choice(["fitted.dyd"] * 6 + [data, "rule.txt", "out/fit.csv", report or "x.dyd"])
        if fitted in (data, "rule.txt") or fitted == report:
            clash = True
        if os.path.dirname(fitted) == csv_folder and os.path.basename(fitted) in ("fit.csv", "summary.csv"):
            clash = True
        args += ["--fit", fitted]
    before = digest(folder)
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0:abort_on_error=0", UBSAN_OPTIONS="halt_on_error=1")
    problems = []
    try:
        proc = subprocess.run([rulecheck] + args, cwd=folder, capture_output=True, env=env, timeout=300)
    except subprocess.TimeoutExpired:
        return ["hangs: %s" % args]
    if proc.returncode not in (0, 1):
        problems.append("exit status %d" % proc.returncode)
    if b"Sanitizer" in proc.stderr or b"runtime error" in proc.stderr:
        problems.append("sanitizer report: " + proc.stderr[-2000:].decode("latin-1"))
    after = digest(folder)
    for path, sha in before.items():
        if after.get(path) != sha:
            problems.append("%s, which the run reads, was changed" % path)
    written = sorted(set(after) - set(before))
    if any(".partial-" in p for p in written):
        problems.append("a temporary file is left: %s" % written)
    if clash:
        if proc.returncode != 1 or written:
            problems.append("a clash wrote %s, status %d" % (written, proc.returncode))
        return problems
    fit_csv = os.path.join(folder, csv_folder, "fit.csv")
    if fitted and os.path.exists(fit_csv):
        problems += check_record_file_shape(fit_csv)
        SEEN["fits"] += 1
    summary = os.path.join(folder, csv_folder, "summary.csv")
    if proc.returncode in (0, 1) and os.path.exists(summary):
        problems += check_summary(summary, tolerance / 100.0)
        SEEN["summaries"] += 1
    for path in written:
        base = os.path.basename(path)
        if base.startswith("L") and base.endswith(".csv"):
            problems += check_record_file(os.path.join(folder, path))
    if report and os.path.exists(os.path.join(folder, report)):
        nesting = Nesting()
        with open(os.path.join(folder, report), encoding="latin-1") as f:
            nesting.feed(f.read())
        if nesting.errors or nesting.stack:
            problems.append("the report is not well-formed: %s %s" % (nesting.errors[:3], nesting.stack[:3]))
    return problems


def main():
    rulecheck = os.path.abspath(sys.argv[1])
    cases = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    rng = random.Random(20261210)
    root = tempfile.mkdtemp(prefix="hostile-rulecheck-")
    failures = 0
    try:
        for index in range(cases):
            folder = os.path.join(root, "case-%d" % index)
            problems = one_case(rulecheck, rng, folder, index)
            if problems:
                failures += 1
                print("FAIL case %d (%s): %s" % (index, folder, "; ".join(problems[:5])))
                if failures > 20:
                    break
            else:
                shutil.rmtree(folder)
    finally:
        if failures == 0:
            shutil.rmtree(root)
    print("%d passed, %d failed; %d summaries and %d fits read back" %
          (cases - failures, failures, SEEN["summaries"], SEEN["fits"]))
    if failures == 0 and cases >= 100 and (SEEN["summaries"] < cases // 10 or SEEN["fits"] == 0):
        print("too few runs wrote their files: the program did not run as it should")
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
