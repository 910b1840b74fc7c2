#!/usr/bin/env python3
"""Runs every benchmark scenario ROUNDS times (default 5), interleaved with its
baselines, and prints median wall time, CPU time, peak resident memory and the ratios
against the targets. Each scenario's outputs are checksummed; a run whose outputs
differ from the first run's, or from bench/checksums.txt, is reported as wrong.

Usage: run.py BUILD_FOLDER WORK_FOLDER [ROUNDS]   (WORK_FOLDER made by make_bench.py)
"""
import hashlib
import os
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def run(argv, cwd, codes=(0,)):
    """Wall seconds, CPU seconds, peak RSS in KiB of one command, which must exit with
    one of `codes`. GNU time reports the memory: a child forked from this Python would
    count Python's pages as its own."""
    report = os.path.join(cwd, ".time")
    os.sync()  # the previous run's output is on disk: its write-back does not slow this one
    with open(os.devnull, "wb") as null:
        start = time.perf_counter()
        p = subprocess.run(["/usr/bin/time", "-f", "%U %S %M", "-o", report] + argv, cwd=cwd,
                           stdin=subprocess.DEVNULL, stdout=null, stderr=null)
        wall = time.perf_counter() - start
    if p.returncode not in codes:
        raise SystemExit("failed: %s" % " ".join(argv))
    user, system, rss = open(report).read().split()[-3:]
    os.remove(report)
    return wall, float(user) + float(system), int(rss)


def checksum(folder, names):
    h = hashlib.sha256()
    for name in names:
        with open(os.path.join(folder, name), "rb") as f:
            for block in iter(lambda: f.read(1 << 20), b""):
                h.update(block)
    return h.hexdigest()[:16]


def scenario_folder(work, library, name):
    folder = os.path.join(work, "run-" + name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    shutil.copy(os.path.join(work, library, "rule.txt"), folder)
    shutil.copytree(os.path.join(work, library, "lib"), os.path.join(folder, "lib"))
    shutil.copy(os.path.join(work, "exclude"), os.path.join(folder, "exclude"))
    return folder


def main():
    build, work = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    data = os.path.join(work, "data.dyd")
    startup_data = os.path.join(work, "startup", "data.dyd")
    modelconv, modeltest = os.path.join(build, "modelconv"), os.path.join(build, "modeltest")
    rulecheck = os.path.join(build, "rulecheck")
    trace_copy = os.path.join(build, "trace_copy")
    subprocess.run(["cc", "-O2", "-o", trace_copy, os.path.join(HERE, "trace_copy.c")], check=True)
    heun_floor = os.path.join(build, "heun_floor")
    subprocess.run(["c++", "-O3", "-ffp-contract=off", "-o", heun_floor,
                    os.path.join(HERE, "heun_floor.cpp")], check=True)
    model_floor = os.path.join(build, "model_floor")
    src = os.path.join(HERE, "..", "src")
    subprocess.run(["c++", "-std=c++20", "-O3", "-ffp-contract=off", "-I", src, "-o", model_floor,
                    os.path.join(HERE, "model_floor.cpp"), os.path.join(build, "libconvcore.a")],
                   check=True)
    responses_data = os.path.join(work, "responses", "data.dyd")
    gas_data = os.path.join(work, "ggov1", "data.dyd")
    fit_data = os.path.join(work, "fit", "data.dyd")
    machines_data = os.path.join(work, "machines", "data.dyd")
    lines = records = 0
    with open(data, "rb") as f:
        for line in f:
            lines += 1
            records += line[:1].isalpha() and not line.startswith(b"models")
    megabytes = os.path.getsize(data) / 1e6
    conv_outputs = ["out.dyd", "log.txt", "changes.txt", "rerr.txt", "rulesused.txt"]

    folders = {
        "S1": scenario_folder(work, "copy", "s1"),
        "S2": scenario_folder(work, "convert", "s2"),
        "S3": scenario_folder(work, "convert", "s3"),
        "S4": scenario_folder(work, "convert", "s4"),
        "S5": scenario_folder(work, "startup", "s5"),
        "S6": scenario_folder(work, "convert", "s6"),
        "S8": scenario_folder(work, "responses", "s8"),
        "S9": scenario_folder(work, "machines", "s9"),
        "S10": scenario_folder(work, "ggov1", "s10"),
        "S11": scenario_folder(work, "fit", "s11"),
        "base": scenario_folder(work, "copy", "base"),
    }
    # name: (folder, argv, outputs to checksum)
    jobs = {
        "S1 copy": ("S1", [modelconv, data, "exclude-none", "out.dyd", "log.txt", "changes.txt"], conv_outputs),
        "S2 convert all": ("S2", [modelconv, data, "exclude-none", "out.dyd", "log.txt", "changes.txt"], conv_outputs),
        "S3 exclude 30000": ("S3", [modelconv, data, "exclude", "out.dyd", "log.txt", "changes.txt"], conv_outputs),
        "S4 modeltest": ("S4", [modeltest, data, "4321", "1", "case.dyd", "log.txt", "changes.txt"],
                         ["case.dyd", "log.txt", "changes.txt", "rulesused.txt"]),
        "S5 start-up": ("S5", [modelconv, startup_data, "exclude-none", "out.dyd", "log.txt", "changes.txt"],
                        conv_outputs),
        "S6 preview": ("S6", [rulecheck, "--data", data], []),
        "S7 report": ("S6", [rulecheck, "--data", data, "--report", "report.html"], ["report.html"]),
        "S8 responses": ("S8", [rulecheck, "--data", responses_data, "--responses"], []),
        "Heun floor": ("S8", [heun_floor, responses_data], []),
        "S9 machines": ("S9", [rulecheck, "--data", machines_data, "--responses"], []),
        "S10 ggov1": ("S10", [rulecheck, "--data", gas_data, "--responses"], []),
        "model floor": ("S10", [model_floor, gas_data], []),
        "S11 fit": ("S11", [rulecheck, "--data", fit_data, "--fit", "fitted.dyd"], ["fitted.dyd"]),
        "cat": ("base", ["sh", "-c", "cat \"$0\" > out.dyd", data], ["out.dyd"]),
        "C baseline": ("base", [trace_copy, data, "out.dyd"], ["out.dyd", "rerr.txt"]),
        "mawk": ("base", ["mawk", '{ printf "%8d\\n", NR > "rerr.txt"; fflush("rerr.txt"); print > "out.dyd" }',
                          data], ["out.dyd", "rerr.txt"]),
    }
    # An empty exclude list selects every bus without a prompt.
    for key in ("S1", "S2", "S5"):
        open(os.path.join(folders[key], "exclude-none"), "w").close()

    results = {name: [] for name in jobs}
    sums = {}
    for r in range(rounds):
        for name, (key, argv, outputs) in jobs.items():
            folder = folders[key]
            # rulecheck exits 1 when the responses it compares differ: S9 and S11 do.
            results[name].append(run(argv, folder, (0, 1) if name in ("S9 machines", "S11 fit") else (0,)))
            s = checksum(folder, outputs)
            if sums.setdefault(name, s) != s:
                raise SystemExit("%s: outputs differ between rounds" % name)
        print("round %d of %d done" % (r + 1, rounds), file=sys.stderr)

    expected = {}
    path = os.path.join(HERE, "checksums.txt")
    if os.path.exists(path):
        for line in open(path):
            parts = line.rstrip("\n").split("  ")
            if len(parts) == 3 and parts[0] == str(lines):
                expected[parts[1]] = parts[2]

    med = {name: statistics.median(w for w, _, _ in results[name]) for name in jobs}
    cpu = {name: statistics.median(c for _, c, _ in results[name]) for name in jobs}
    rss = {name: max(m for _, _, m in results[name]) for name in jobs}
    print("%d lines, %.1f MB, %d rounds, medians" % (lines, megabytes, rounds))
    print("%-18s %9s %9s %9s  %-16s %s" % ("scenario", "wall s", "cpu s", "peak MiB", "checksum", "check"))
    for name in jobs:
        check = "" if name not in expected else ("ok" if expected[name] == sums[name] else "WRONG OUTPUT")
        print("%-18s %9.3f %9.3f %9.2f  %-16s %s" % (name, med[name], cpu[name], rss[name] / 1024, sums[name], check))
    print()
    targets = [
        ("S1 / C baseline", med["S1 copy"] / med["C baseline"], 1.0),
        ("S1 / mawk", med["S1 copy"] / med["mawk"], 1.0),
        ("S2 / S1", med["S2 convert all"] / med["S1 copy"], 2.0),
        ("S3 / S2", med["S3 exclude 30000"] / med["S2 convert all"], 1.1),
        ("S4 / S1", med["S4 modeltest"] / med["S1 copy"], 1.0),
    ]
    print("%-18s %9s %9s" % ("ratio", "measured", "target"))
    for name, value, target in targets:
        print("%-18s %9.3f %9.3f  %s" % (name, value, target, "met" if value <= target else "MISSED"))
    s5 = med["S5 start-up"] * 1000
    print("%-18s %7.1f ms %6.0f ms  %s" % ("S5 start-up", s5, 20, "met" if s5 < 20 else "MISSED"))
    s7 = med["S7 report"] / med["S6 preview"]
    print("%-18s %9.3f %9.3f  %s" % ("S7 / S6", s7, 1.3, "met" if s7 <= 1.3 else "MISSED"))
    peak = max(rss[n] for n in jobs if n[:2] in ("S1", "S2", "S3", "S4", "S5")) / 1024
    print("%-18s %7.2f MiB %5.0f MiB  %s" % ("peak memory", peak, 4, "met" if peak <= 4 else "MISSED"))
    report_peak = rss["S7 report"] / 1024
    print("%-18s %7.2f MiB %5.0f MiB  %s" % ("S7 memory", report_peak, 8,
                                              "met" if report_peak < 8 else "MISSED"))
    # Memory does not grow with the file: S2 on its first 10000 lines.
    small = os.path.join(work, "data-10000.dyd")
    with open(data, "rb") as f, open(small, "wb") as g:
        for i, line in enumerate(f):
            if i == 10000:
                break
            g.write(line)
    small_rss = run([modelconv, small, "exclude-none", "out.dyd", "log.txt", "changes.txt"], folders["S2"])[2]
    print("%-18s %7.2f MiB for 10000 lines, %.2f MiB for %d" % ("S2 memory", small_rss / 1024,
                                                              rss["S2 convert all"] / 1024, lines))
    print("%-18s %9.0f records/s  %.1f MB/s" % ("S2 throughput", records / med["S2 convert all"],
                                                   megabytes / med["S2 convert all"]))
    # The response check: comparisons per second against the target and the floor of the
    # same Heun steps in a plain loop; its memory, also on a tenth of the records.
    compared = sum(1 for _ in open(responses_data))
    rate = compared / med["S8 responses"]
    print("%-18s %9.0f comparisons/s  (target 1000; %.2f x the Heun floor of %.0f/s)" %
          ("S8 rate", rate, med["S8 responses"] / med["Heun floor"], compared / med["Heun floor"]))
    tenth = os.path.join(work, "responses", "data-tenth.dyd")
    with open(responses_data) as f, open(tenth, "w") as g:
        g.writelines(line for i, line in enumerate(f) if i < compared // 10)
    tenth_rss = run([rulecheck, "--data", tenth, "--responses"], folders["S8"])[2]
    s8_peak = rss["S8 responses"] / 1024
    print("%-18s %7.2f MiB %5.0f MiB  %s  (%.2f MiB for a tenth of the records)" %
          ("S8 memory", s8_peak, 8, "met" if s8_peak < 8 else "MISSED", tenth_rss / 1024))
    machines = sum(1 for _ in open(machines_data))
    s9_peak = rss["S9 machines"] / 1024
    print("%-18s %9.0f comparisons/s  (target 1000), %.2f MiB peak" %
          ("S9 rate", machines / med["S9 machines"], s9_peak))
    gases = sum(1 for _ in open(gas_data))
    print("%-18s %9.0f records/s, both governor tests  (%.2f x the model floor of %.0f/s), "
          "%.2f MiB peak (floor %.2f MiB)" %
          ("S10 rate", gases / med["S10 ggov1"], med["S10 ggov1"] / med["model floor"],
           gases / med["model floor"], rss["S10 ggov1"] / 1024, rss["model floor"] / 1024))
    fits = sum(1 for _ in open(fit_data))
    fit_peak = rss["S11 fit"] / 1024
    print("%-18s %9.1f fits/s (target 20: %s), %.2f MiB peak (target 16: %s)" %
          ("S11 fit", fits / med["S11 fit"], "met" if fits / med["S11 fit"] >= 20 else "MISSED",
           fit_peak, "met" if fit_peak < 16 else "MISSED"))
    with open(os.path.join(work, "checksums.txt"), "w") as f:
        for name in jobs:
            f.write("%d  %s  %s\n" % (lines, name, sums[name]))


if __name__ == "__main__":
    main()
