#!/usr/bin/env python3
"""Runs both programs on hostile inputs generated here from a fixed seed and checks
that they hold up: no crash, no sanitizer report, exit status 0 or 1, and, for
modelconv, every input line that is not part of a converted record in the output,
unchanged and in order.

Usage: check_hostile.py MODELCONV MODELTEST
"""
import os
import random
import shutil
import subprocess
import sys
import tempfile

PIECE = 1997  # the longest piece of a line that one read takes

RULES = {
    "rule.txt": "# hostile library\ngenrou gentpj\ntgov1 ieeeg1\nieeeg1 ieeeg1\n",
    "lib/genrou-gentpj": "@tpdo\n@tppdo\n@tpqo\n@h\n@d\n@end\n"
                         "$tpdo=@tpdo 3 10 ($tpdo>0.5)&&($tpdo<15) 5\n"
                         "$tppdo=@tppdo 0 0 ($tppdo>0)&&($tppdo<$tpdo) @tpdo/100\n"
                         "$tpqo=@tpqo/@d 0 1 ($tpqo!=0) NULL1\n"
                         "$h=@h^0.5 1 2 $h NULL\n"
                         "$n=" + "-" * 30 + "@h 0 0\n"
                         "$p=" + "(" * 28 + "@h" + ")" * 28 + " 0 0\n"
                         "$q=(((((((((((((((((((((((((((((@h 0 0\n"
                         "$end\n",
    "lib/tgov1-ieeeg1": "@r\n@t1\n@end\n$k=1/@r 10 30 ($k<50) 20\n$t1=@t1\n$end\n",
    "lib/ieeeg1-ieeeg1": "@k\n@end\n$k=@k 0 0 0 7\n$end\n",
}
RULE_PAIRS = [("genrou", "gentpj"), ("tgov1", "ieeeg1"), ("ieeeg1", "ieeeg1")]
MODELS = ["genrou", "tgov1", "ieeeg1", "exst1"]


def header(rng, model=None, bus=None):
    model = model or rng.choice(MODELS)
    bus = bus if bus is not None else rng.choice([1, 5, 5, 7, 99999999999])
    return '%-8s %d "BUS %d" %s "%s" :' % (model, bus, bus % 1000, rng.choice(["13.8", "1e38", "nan", "-inf"]),
                                           rng.choice(["1 ", "1", "CC", "2 "]))


def numbers(rng, n):
    pool = ["1", "-1", "0", "0.5", "1e38", "3.4e39", "1e-45", "-0", "nan", "inf", "-inf", "infinit",
            "1.5.2", ".", "99999999999999999999999999999999999", "x", "\"q r\"", "#9", "mva=7", "mwcap"]
    return " ".join(rng.choice(pool) for _ in range(n))


def data_files(rng):
    """(name, bytes) of every hostile data file."""
    files = []
    good = (header(rng, "genrou", 5) + " #9 mva=100 6 0.05 0.5 4 0\n").encode()
    files.append(("long-lines", good + b"genrou 5 : " + b"1 " * 2500 + b"\n" + b"x" * 100000 + b"\n"
                  + b"tgov1 5 " + b"y" * 5000 + b" : 1\n" + good))
    files.append(("binary", bytes(rng.randrange(256) for _ in range(20000))))
    files.append(("nul-bytes", b"genrou 5 \"A\x00B\" 1 \"1 \" : 1 2\x00 3\n" + b"\x00" * 50 + b"\n"
                  + b"tgov1 5 : 1 /\x00\n 2\n" + good + b"genrou\x00 5 : 1\n"))
    files.append(("no-colons", b"".join((header(rng).replace(":", "") + " 1 2 3\n").encode() for _ in range(50))))
    files.append(("colons-everywhere", b"".join(
        (":".join(header(rng).split(" ")) + " ::: 1:2:3 :\n").encode() for _ in range(50))
        + b":" * 3000 + b"\n" + b"genrou" + b":" * 1990 + b"\n"))
    files.append(("many-values", (header(rng, "genrou", 5) + " " + numbers(rng, 250) + "\n"
                                  + header(rng, "tgov1", 5) + " " + " ".join("1" for _ in range(1000)) + "\n").encode()))
    chain = (header(rng, "genrou", 5) + " 1 /\n").encode() + b"".join(b"2 /\n" for _ in range(3000)) + b"3\n"
    files.append(("continuation-overflow", chain + good + (header(rng, "tgov1", 5) + " /\n").encode()
                  + b"/\n" * 2500 + b"tail\n"))
    files.append(("continuation-at-end", good + (header(rng, "genrou", 5) + " 1 / 2 / 3 /").encode()))
    files.append(("unpaired-quotes", b"".join((header(rng).replace('"', "", 1) + ' "open 1 2 "x y\n').encode()
                                             for _ in range(40)) + b'genrou 5 "" "" "\n'))
    files.append(("numbers", b"".join((header(rng) + " " + numbers(rng, 40) + "\n").encode() for _ in range(200))))
    files.append(("long-header", ("genrou 5 \"" + "N" * 400 + "\" 1 \"1 \" : 1 2\n").encode()
                  + ("genrou 5 " + " " * 1950 + ": 1\n").encode()))
    lines = []
    for _ in range(300):
        kind = rng.randrange(6)
        if kind == 0:
            lines.append(header(rng) + " " + numbers(rng, rng.randrange(30)))
        elif kind == 1:
            lines.append(header(rng) + " " + numbers(rng, 5) + " /")
        elif kind == 2:
            lines.append("#[genrou] [gentpj] " + numbers(rng, 3))
        elif kind == 3:
            lines.append(" " + header(rng))
        elif kind == 4:
            lines.append("".join(rng.choice(" ,\t\"/:#@$=x1") for _ in range(rng.randrange(80))))
        else:
            lines.append(rng.choice(["lodrep", "models", "netting", "list", "", "\r"]))
    files.append(("mixed", ("\n".join(lines) + "\n").encode()))
    files.append(("windows", ("\r\n".join(lines[:100]) + "\r\n").encode()))
    return files


def pieces(data):
    """The input as the programs read it: up to a newline, at most PIECE bytes at a time."""
    out, i = [], 0
    while i < len(data):
        end = data.find(b"\n", i, i + PIECE)
        end = i + PIECE if end < 0 else end + 1
        out.append(data[i:end])
        i = min(end, len(data))
    return out


def c_string(piece):
    return piece.split(b"\x00", 1)[0]


def check_lines_kept(data, output):
    """Every piece is copied or belongs to a converted record; order is kept."""
    ins = pieces(data)
    i = p = 0
    while p < len(output):
        if i < len(ins) and output.startswith(ins[i], p):
            p += len(ins[i])
            i += 1
            continue
        pair = next(((f, t) for f, t in RULE_PAIRS if output.startswith(b"#[%s] [%s]" % (f.encode(), t.encode()), p)),
                    None)
        if pair is None or i >= len(ins):
            return "output byte %d is neither input line %d nor a converted record" % (p, i + 1)
        first = c_string(ins[i])[:60].replace(b",", b" ").replace(b"\t", b" ").split(b" ")
        first = [t for t in first if t]
        if not first or first[0] != pair[0].encode():
            return "converted record at input line %d does not begin with %s" % (i + 1, pair[0])
        # The record: its first piece and every piece read behind a "/".
        slash = b"/" in c_string(ins[i])
        i += 1
        while slash and i < len(ins):
            slash = b"/" in c_string(ins[i])
            i += 1
        for _ in range(2):
            end = output.find(b"\n", p)
            if end < 0:
                return "converted record at output byte %d is cut" % p
            p = end + 1
    if i != len(ins):
        return "input lines from %d on are missing from the output" % (i + 1)
    return None


def run(program, args, folder, stdin=b""):
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0:abort_on_error=0", UBSAN_OPTIONS="halt_on_error=1")
    proc = subprocess.run([program] + args, cwd=folder, input=stdin, capture_output=True, env=env, timeout=120)
    problems = []
    if proc.returncode not in (0, 1):
        problems.append("exit status %d" % proc.returncode)
    if b"Sanitizer" in proc.stderr or b"runtime error" in proc.stderr:
        problems.append("sanitizer report: " + proc.stderr[-2000:].decode("latin-1"))
    return proc, problems


def fresh_folder(root, name, rules=RULES):
    folder = os.path.join(root, name)
    os.makedirs(os.path.join(folder, "lib"))
    for path, text in rules.items():
        with open(os.path.join(folder, path), "w") as f:
            f.write(text)
    return folder


def main():
    modelconv, modeltest = (os.path.abspath(p) for p in sys.argv[1:3])
    rng = random.Random(20261208)
    root = tempfile.mkdtemp(prefix="hostile-")
    failures = 0
    checks = 0
    try:
        for name, data in data_files(rng):
            for selection, bus_list in (("exclude", b""), ("include", b"5\n7\n\"99999999999\"\n")):
                folder = fresh_folder(root, "%s-%s" % (name, selection))
                with open(os.path.join(folder, "data.dyd"), "wb") as f:
                    f.write(data)
                with open(os.path.join(folder, selection), "wb") as f:
                    f.write(bus_list)
                proc, problems = run(modelconv, ["data.dyd", selection, "out.dyd", "log.txt", "changes.txt"], folder)
                if not problems:
                    if proc.returncode != 0:
                        problems.append("exit status %d" % proc.returncode)
                    else:
                        with open(os.path.join(folder, "out.dyd"), "rb") as f:
                            lost = check_lines_kept(data, f.read())
                        if lost:
                            problems.append(lost)
                checks += 1
                if problems:
                    failures += 1
                    print("FAIL modelconv %s %s: %s" % (name, selection, "; ".join(problems)))
            for unit in ("1 ", "CC", "1"):
                folder = fresh_folder(root, "%s-unit-%r" % (name, unit))
                with open(os.path.join(folder, "data.dyd"), "wb") as f:
                    f.write(data)
                proc, problems = run(modeltest, ["data.dyd", "5", unit, "case.dyd", "log.txt", "changes.txt"], folder)
                if not problems and proc.returncode != 0:
                    problems.append("exit status %d" % proc.returncode)
                checks += 1
                if problems:
                    failures += 1
                    print("FAIL modeltest %s %r: %s" % (name, unit, "; ".join(problems)))

        # Bus lists and rule libraries beyond their limits stop the run with status 1.
        folder = fresh_folder(root, "bus-list-30001")
        with open(os.path.join(folder, "data.dyd"), "w") as f:
            f.write("genrou 5 : 1\n")
        with open(os.path.join(folder, "include"), "w") as f:
            f.write("".join("%d\n" % i for i in range(30001)))
        limits = [("bus-list-30001", folder, modelconv, ["data.dyd", "include", "o", "l", "c"])]
        too_big = {
            "names": dict(RULES, **{"lib/tgov1-ieeeg1": "@" + "r" * 40 + "\n@end\n"}),
            "expressions": dict(RULES, **{"lib/tgov1-ieeeg1": "@r\n@end\n$k=" + "(" * 200 + "\n"}),
            "pairs": dict(RULES, **{"rule.txt": "".join("m%d n\n" % i for i in range(200))}),
            "sections": dict(RULES, **{"lib/tgov1-ieeeg1": "@end\n" + "$k=1\n" * 100}),
            "long-rule-lines": dict(RULES, **{"rule.txt": "#" + "x" * 100000 + "\n" + RULES["rule.txt"]}),
        }
        for what, rules in too_big.items():
            folder = fresh_folder(root, "rules-" + what, rules)
            with open(os.path.join(folder, "data.dyd"), "w") as f:
                f.write("genrou 5 : 1\n")
            open(os.path.join(folder, "exclude"), "w").close()
            limits.append(("rules-" + what, folder, modelconv, ["data.dyd", "exclude", "o", "l", "c"]))
            limits.append(("rules-" + what, folder, modeltest, ["data.dyd", "5", "CC", "o", "l", "c"]))
        for name, folder, program, args in limits:
            proc, problems = run(program, args, folder)
            expected = 0 if name == "rules-long-rule-lines" else 1
            if not problems and proc.returncode != expected:
                problems.append("exit status %d, expected %d" % (proc.returncode, expected))
            checks += 1
            if problems:
                failures += 1
                print("FAIL %s %s: %s" % (os.path.basename(program), name, "; ".join(problems)))
    finally:
        shutil.rmtree(root)
    print("%d passed, %d failed" % (checks - failures, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
