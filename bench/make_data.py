#!/usr/bin/env python3
"""Writes a large dynamic data file for the benchmark: LINES lines of generator, exciter
and governor records of the example system's models, some continued, with comments.

Usage: make_data.py LINES OUTPUT
"""
import random
import sys


def main():
    lines, path = int(sys.argv[1]), sys.argv[2]
    rng = random.Random(1)
    out = []
    bus = 1
    while len(out) < lines:
        name = '"BUS%-5d"' % bus
        gen = " ".join("%.4f" % rng.uniform(0.01, 8) for _ in range(15))
        out.append("#   unit at bus %d" % bus)
        out.append('genrou   %5d %s  20.00 "1 " : #9 mva=%.1f %s /' % (bus, name, rng.uniform(50, 900), gen[:60]))
        out.append("  " + gen[60:])
        out.append('sexs     %5d %s  20.00 "1 " : #1 0.1 10.0 100.0 0.05 -5.0 5.0' % (bus, name))
        out.append('tgov1    %5d %s  20.00 "1 " : #1 mwcap=%.1f 0.05 0.4 1.0 0.0 3.0 10.0 0.0'
                   % (bus, name, rng.uniform(50, 900)))
        bus += 1
    with open(path, "w") as f:
        f.write("\n".join(out[:lines]) + "\n")


if __name__ == "__main__":
    main()
