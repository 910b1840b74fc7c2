#!/usr/bin/env python3
"""Writes the benchmark's inputs into FOLDER, the same bytes for the same arguments:

  data.dyd        LINES lines (default 1000000) of a large system: generator, exciter,
                  governor, stabilizer and load records, padded and compact headers, some
                  continued over lines, mva/mwcap keywords, comment and section lines
  convert/        a library that converts every model of data.dyd: 20 outputs each, a test
                  on every output and a replacement on some, so that about one value in
                  ten is suspect
  copy/           the same library under from-models that data.dyd never names
  startup/        a library of 128 rules with 64 outputs each, and a data file of 10 lines
  exclude         30000 bus numbers, none of them in data.dyd
  ggov1/          the example's gast -> ggov1 rule and 20000 gast records
  fit/            the example's fit/ library (gast -> ggov1, droop on electrical power,
                  five values fitted) and 1000 gast records, for rulecheck --fit
  responses/      the example's exact tgov1 -> ieeeg1 rule and 20000 tgov1 records, each
                  with values of its own, for rulecheck --responses
  machines/       the example's exst1 -> esst1a and genrou -> gentpj rules, 5000 exst1 and
                  5000 genrou records of values of their own, for rulecheck --responses

Usage: make_bench.py FOLDER [LINES]
"""
import os
import random
import sys

# Model, tag, keyword, number of values; the from-models of the library.
MODELS = [
    ("genrou", "#9", "mva", 20),
    ("exst1", "#1", None, 20),
    ("tgov1", "#1", "mwcap", 20),
    ("pss2a", "#9", None, 20),
    ("wlwscc", "#9", None, 20),
]
TO_MODELS = {"genrou": "gentpj", "exst1": "esst1a", "tgov1": "ieeeg1", "pss2a": "pss2b", "wlwscc": "cmpldw"}
OUTPUTS = 20
SCALES = [1, 2, 0.5, 10, 1.5]


def write_library(folder, pairs, outputs, inputs):
    os.makedirs(os.path.join(folder, "lib"), exist_ok=True)
    with open(os.path.join(folder, "rule.txt"), "w") as f:
        f.write("# benchmark library\n")
        for a, b in pairs:
            f.write("%s %s\n" % (a, b))
    for a, b in pairs:
        with open(os.path.join(folder, "lib", "%s-%s" % (a, b)), "w") as f:
            f.write("# %s -> %s\n" % (a, b))
            for k in range(inputs):
                f.write("@p%d 0.5\n" % k)
            f.write("@end\n")
            for k in range(outputs):
                c = SCALES[k % len(SCALES)]
                src, nxt = k % inputs, (k + 1) % inputs
                assign = "$o%d=@p%d*%g" % (k, src, c) if k % 4 else "$o%d=@p%d*%g+@p%d-@p%d" % (k, src, c, nxt, nxt)
                # A record value below 0.1 fails the test: one value in ten.
                test = "($o%d>%g)&&($o%d<%g)" % (k, 0.1 * c, k, 100 * c)
                replace = ["NULL", "%g" % c, "@p%d*%g" % (nxt, c)][k % 3]
                f.write("%s %g %g %s %s\n" % (assign, 0, 2 * c, test, replace))
            f.write("$end\n")


def values(rng, n):
    return " ".join("%.4f" % rng.random() for _ in range(n))


def header(rng, model, bus, unit):
    name = "BUS%d" % bus
    if rng.random() < 0.7:  # padded, as a simulator writes
        return '%-8s %5d "%-12s" %6.2f "%-2s" :' % (model, bus, name, 20.0, unit)
    return '%s %d "%s" 20.00 "%s" :' % (model, bus, name, unit.strip())  # compact, by hand


def write_data(path, lines, rng):
    out = ["#   dynamics data of a large benchmark system", "#", "models", "#"]
    bus = 1
    while len(out) < lines:
        out.append("#   plant at bus %d" % bus)
        for unit in ("1 ", "2 ") if bus % 3 == 0 else ("1 ",):
            for model, tag, keyword, n in MODELS:
                if model == "wlwscc" and unit != "1 ":
                    continue
                if model == "pss2a" and bus % 2:
                    continue
                kw = " %s=%.1f" % (keyword, rng.uniform(50, 900)) if keyword else ""
                text = "%s %s%s %s" % (header(rng, model, bus, unit), tag, kw, values(rng, n))
                if rng.random() < 0.25:  # continued over two lines
                    cut = text.index(" ", len(text) // 2)
                    out.append(text[:cut] + " /")
                    out.append("   " + text[cut + 1:])
                else:
                    out.append(text)
        bus += 1
    with open(path, "w") as f:
        f.write("\n".join(out[:lines]) + "\n")
    return bus


def main():
    folder = sys.argv[1]
    lines = int(sys.argv[2]) if len(sys.argv) > 2 else 1000000
    rng = random.Random(20261209)
    os.makedirs(folder, exist_ok=True)
    last_bus = write_data(os.path.join(folder, "data.dyd"), lines, rng)
    pairs = [(m, TO_MODELS[m]) for m, _, _, _ in MODELS]
    write_library(os.path.join(folder, "convert"), pairs, OUTPUTS, 20)
    write_library(os.path.join(folder, "copy"), [("x" + a, b) for a, b in pairs], OUTPUTS, 20)
    write_library(os.path.join(folder, "startup"), [("m%d" % i, "n%d" % i) for i in range(128)], 64, 64)
    with open(os.path.join(folder, "startup", "data.dyd"), "w") as f:
        for i in range(10):
            f.write('m%d %d "B" 1 "1 " : #9 %s\n' % (i, i + 1, values(rng, 64)))
    with open(os.path.join(folder, "exclude"), "w") as f:
        for i in range(30000):
            f.write("%d\n" % (last_bus + 1000 + 7 * i))
    write_responses(os.path.join(folder, "responses"), random.Random(20261210))
    write_machines(os.path.join(folder, "machines"), random.Random(20261211))
    write_gas_turbines(os.path.join(folder, "ggov1"), random.Random(20261212))
    write_fits(os.path.join(folder, "fit"), random.Random(20261213))


def write_responses(folder, rng, count=20000):
    """tgov1 records of distinct plausible values, and the exact tgov1 -> ieeeg1 rule."""
    copy_rules(folder, ["tgov1-ieeeg1"])
    with open(os.path.join(folder, "data.dyd"), "w") as f:
        for i in range(count):
            r, t1, vmax = rng.uniform(0.03, 0.08), rng.uniform(0.1, 0.6), rng.uniform(1.0, 1.2)
            t2, t3 = rng.uniform(1, 5), rng.uniform(5, 12)
            f.write('tgov1 %d "G%d" 22.00 "1 " : #1 mwcap=100 %.4f %.4f %.4f 0 %.4f %.4f 0\n'
                    % (i + 1, i + 1, r, t1, vmax, t2, t3))


def write_gas_turbines(folder, rng, count=20000):
    """gast records of distinct plausible values (extras neutral, the temperature limit out
    of reach) and the example's gast -> ggov1 rule: ggov1 under both governor tests."""
    copy_rules(folder, ["gast-ggov1"])
    with open(os.path.join(folder, "data.dyd"), "w") as f:
        for i in range(count):
            r, t1, t2 = rng.uniform(0.03, 0.08), rng.uniform(0.2, 0.6), rng.uniform(0.05, 0.2)
            t3, lmax, kt = rng.uniform(2, 4), rng.uniform(1.2, 1.6), rng.uniform(2, 4)
            vmax, vmin, dturb = rng.uniform(1.0, 1.5), rng.uniform(-0.2, 0), rng.uniform(0, 0.05)
            f.write('gast %d "T%d" 13.80 "1 " : #1 mwcap=50 %.4f %.4f %.4f %.4f %.4f %.4f %.4f %.4f %.4f'
                    ' 0 99 99 10 99 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n'
                    % (i + 1, i + 1, r, t1, t2, t3, lmax, kt, vmax, vmin, dturb))


def write_fits(folder, rng, count=1000):
    """gast records of distinct plausible values and the example's fit/ library: gast to
    ggov1 with droop on electrical power, five values fitted per record."""
    here = os.path.dirname(os.path.abspath(__file__))
    os.makedirs(os.path.join(folder, "lib"), exist_ok=True)
    for name in ("gast-ggov1", "gast-ggov1.fit"):
        with open(os.path.join(here, "..", "examples", "fit", "lib", name)) as f:
            text = f.read()
        with open(os.path.join(folder, "lib", name), "w") as f:
            f.write(text)
    with open(os.path.join(folder, "rule.txt"), "w") as f:
        f.write("gast ggov1\n")
    with open(os.path.join(folder, "data.dyd"), "w") as f:
        for i in range(count):
            r, t1, t2 = rng.uniform(0.03, 0.08), rng.uniform(0.2, 0.6), rng.uniform(0.05, 0.2)
            t3, kt, vmax = rng.uniform(2, 4), rng.uniform(2, 4), rng.uniform(1.1, 1.5)
            f.write('gast %d "F%d" 13.80 "1 " : #1 mwcap=50 %.4f %.4f %.4f %.4f 1.5 %.4f %.4f -0.2 0'
                    ' 0 99 99 10 99 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n'
                    % (i + 1, i + 1, r, t1, t2, t3, kt, vmax))


def copy_rules(folder, names):
    os.makedirs(os.path.join(folder, "lib"), exist_ok=True)
    here = os.path.dirname(os.path.abspath(__file__))
    for name in names:
        with open(os.path.join(here, "..", "examples", "lib", name)) as f:
            rule = f.read()
        with open(os.path.join(folder, "lib", name), "w") as f:
            f.write(rule)
    with open(os.path.join(folder, "rule.txt"), "w") as f:
        f.write("".join(n.replace("-", " ") + "\n" for n in names))


def write_machines(folder, rng, count=5000):
    """exst1 and genrou records of distinct plausible values and the example's rules."""
    copy_rules(folder, ["exst1-esst1a", "genrou-gentpj"])
    with open(os.path.join(folder, "data.dyd"), "w") as f:
        for i in range(count):
            tc, tb, ka, ta = rng.uniform(0, 1), rng.uniform(5, 12), rng.uniform(100, 400), rng.uniform(0.01, 0.05)
            vrmax, kc, kf, tf = rng.uniform(5, 8), rng.uniform(0, 0.1), rng.uniform(0, 0.05), rng.uniform(0.5, 1.5)
            f.write('exst1 %d "E%d" 22.00 "1 " : #1 0.02 0.3 -0.3 %.4f %.4f %.4f %.4f %.4f %.4f %.4f %.4f 1 0 0 0 0 0 0 0\n'
                    % (i + 1, i + 1, tc, tb, ka, ta, vrmax, -vrmax, kc, kf))
        for i in range(count):
            tpdo, tpqo, h = rng.uniform(4, 9), rng.uniform(0.4, 1.0), rng.uniform(3, 8)
            ld, lpd = rng.uniform(1.5, 2.2), rng.uniform(0.25, 0.4)
            lq, lpq = 0.95 * ld, rng.uniform(0.45, 0.7)
            s1 = rng.uniform(0.05, 0.15)
            f.write('genrou %d "G%d" 22.00 "1 " : #9 mva=900 %.4f 0.03 %.4f 0.05 %.4f 0 %.4f %.4f %.4f %.4f 0.22 0.18 %.4f %.4f 0.003 0 0 0\n'
                    % (count + i + 1, i + 1, tpdo, tpqo, h, ld, lq, lpd, lpq, s1, 4 * s1))


if __name__ == "__main__":
    main()
