#!/usr/bin/env python3
"""A converted file is never left cut off under its name: modelconv is stopped by the
file size limit, killed half-way, and runs out of room on a small file system; in each
case the output name holds what it held before (or does not exist when it did not),
and no other file of the folder changed but the log, changes, report and trace (and,
after a kill, the program's own temporary file). A finished run replaces the output,
keeps its mode and a link to it, and writes a pipe directly.

Usage: check_interrupted.py MODELCONV MODELTEST
"""
import os
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import time

failures = []
RUN_FILES = {"log.txt", "changes.txt", "rulesused.txt", "rerr.txt"}


def check(condition, what):
    if not condition:
        failures.append(what)


def library(folder):
    """A library that converts genrou records, with no suspect values: the log and
    changes files stay small whatever the input's size."""
    os.makedirs(os.path.join(folder, "lib"))
    with open(os.path.join(folder, "rule.txt"), "w") as f:
        f.write("genrou gentpj\n")
    with open(os.path.join(folder, "lib", "genrou-gentpj"), "w") as f:
        f.write("@a\n@b\n@end\n$a=@a 0 0 1\n$b=@b*2 0 0 1\n$end\n")
    open(os.path.join(folder, "exclude"), "w").close()


def data_lines(count):
    return "".join('genrou %d "BUS %d" 13.80 "1 " : #9 mva=100 %d.5 0.25\n' % (i, i, i % 97)
                   for i in range(1, count + 1))


def snapshot(folder):
    files = {}
    for name in os.listdir(folder):
        path = os.path.join(folder, name)
        if os.path.isfile(path):
            with open(path, "rb") as f:
                files[name] = f.read()
    return files


def changed(before, after):
    names = set(before) | set(after)
    return {n for n in names if before.get(n) != after.get(n)}


def partials(folder):
    return [n for n in os.listdir(folder) if ".partial-" in n]


def run(program, args, cwd, limit_blocks=None):
    prefix = "ulimit -f %d; " % limit_blocks if limit_blocks else ""
    command = prefix + "exec " + " ".join("'%s'" % a for a in [program] + args)
    return subprocess.run(["bash", "-c", command], cwd=cwd, capture_output=True, text=True)


def file_size_limit(modelconv, work):
    """ulimit -f stops the output half-way: a write error, not a cut-off file."""
    for existed in (True, False):
        folder = os.path.join(work, "limit-%s" % existed)
        os.makedirs(folder)
        library(folder)
        with open(os.path.join(folder, "data.dyd"), "w") as f:
            f.write(data_lines(40000))  # about 3 MB in, 3 MB out
        if existed:
            with open(os.path.join(folder, "out.dyd"), "w") as f:
                f.write("the previous conversion\n")
        before = snapshot(folder)
        p = run(modelconv, ["data.dyd", "exclude", "out.dyd", "log.txt", "changes.txt"], folder,
                limit_blocks=1024)  # 1 MiB
        after = snapshot(folder)
        where = "file size limit (output existed: %s)" % existed
        check(p.returncode == 1, "%s: status %d" % (where, p.returncode))
        check("Error writing file [out.dyd]\n" in p.stderr, "%s: no write error in [%s]" %
              (where, p.stderr[-200:]))
        check(after.get("out.dyd") == before.get("out.dyd"), "%s: out.dyd changed" % where)
        check(changed(before, after) <= RUN_FILES, "%s: changed %s" % (where, changed(before, after)))


def killed(modelconv, work):
    """kill -9 half-way, the input fed through a pipe that the test holds open."""
    folder = os.path.join(work, "killed")
    os.makedirs(folder)
    library(folder)
    with open(os.path.join(folder, "out.dyd"), "w") as f:
        f.write("the previous conversion\n")
    os.mkfifo(os.path.join(folder, "data.dyd"))
    before = snapshot(folder)
    p = subprocess.Popen([modelconv, "data.dyd", "exclude", "out.dyd", "log.txt", "changes.txt"],
                         cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(os.path.join(folder, "data.dyd"), "w") as feed:
        feed.write(data_lines(20000))
        feed.flush()
        deadline = time.time() + 20
        # Half of the input is converted: the temporary file holds data.
        while time.time() < deadline:
            names = partials(folder)
            if names and os.path.getsize(os.path.join(folder, names[0])) > 0:
                break
            time.sleep(0.05)
        p.send_signal(signal.SIGKILL)
        p.wait()
    after = snapshot(folder)
    check(len(partials(folder)) == 1, "kill -9: temporary files %s" % partials(folder))
    check(after.get("out.dyd") == before.get("out.dyd"), "kill -9: out.dyd changed")
    allowed = RUN_FILES | set(partials(folder))
    check(changed(before, after) <= allowed, "kill -9: changed %s" % changed(before, after))


def interrupted(modeltest, work):
    """SIGTERM (as Ctrl-C's SIGINT) removes the temporary file as the run ends."""
    folder = os.path.join(work, "terminated")
    os.makedirs(folder)
    library(folder)
    os.mkfifo(os.path.join(folder, "data.dyd"))
    p = subprocess.Popen([modeltest, "data.dyd", "5", "1", "case.dyd", "log.txt", "changes.txt"],
                         cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(os.path.join(folder, "data.dyd"), "w") as feed:
        feed.write(data_lines(10))
        feed.flush()
        deadline = time.time() + 20
        while time.time() < deadline and not partials(folder):
            time.sleep(0.05)
        p.send_signal(signal.SIGTERM)
        p.wait()
    check(p.returncode == -signal.SIGTERM, "SIGTERM: status %d" % p.returncode)
    check(partials(folder) == [], "SIGTERM: temporary files %s" % partials(folder))
    check(not os.path.exists(os.path.join(folder, "case.dyd")), "SIGTERM: case.dyd exists")


def full_file_system(modelconv, work):
    """A file system with no room: the error at a write or at the close, no cut-off file.
    Needs a tmpfs of its own (root); skipped where the test cannot mount one."""
    folder = os.path.join(work, "full")
    small = os.path.join(work, "small")
    os.makedirs(folder)
    os.makedirs(small)
    if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", small],
                      capture_output=True).returncode != 0:
        print("skipped: a small file system (cannot mount a tmpfs here)")
        return
    try:
        library(folder)
        with open(os.path.join(folder, "data.dyd"), "w") as f:
            f.write(data_lines(3000))  # about 250 kB out
        target = os.path.join(small, "out.dyd")
        with open(target, "w") as f:
            f.write("the previous conversion\n")
        p = run(modelconv, ["data.dyd", "exclude", target, "log.txt", "changes.txt"], folder)
        check(p.returncode == 1, "full file system: status %d" % p.returncode)
        check("Error writing file [%s]\n" % target in p.stderr, "full file system: no message")
        with open(target) as f:
            check(f.read() == "the previous conversion\n", "full file system: out.dyd changed")
        check(os.listdir(small) == ["out.dyd"], "full file system: left %s" % os.listdir(small))
    finally:
        subprocess.run(["umount", small])


def finished_runs(modelconv, work):
    """A finished run replaces the file, keeps its mode, follows a link, and writes a
    pipe directly."""
    folder = os.path.join(work, "finished")
    os.makedirs(folder)
    library(folder)
    with open(os.path.join(folder, "data.dyd"), "w") as f:
        f.write(data_lines(3))
    args = ["data.dyd", "exclude", "out.dyd", "log.txt", "changes.txt"]
    out = os.path.join(folder, "out.dyd")
    p = run(modelconv, args, folder)
    check(p.returncode == 0, "new output: status %d" % p.returncode)
    with open(out) as f:
        expected = f.read()
    check(expected.count("#[genrou] [gentpj]") == 3, "new output: %r" % expected)
    os.chmod(out, 0o640)
    os.rename(out, os.path.join(folder, "real.dyd"))
    os.symlink("real.dyd", out)
    p = run(modelconv, args, folder)
    check(p.returncode == 0, "through a link: status %d" % p.returncode)
    check(os.path.islink(out), "through a link: the link was replaced")
    real = os.path.join(folder, "real.dyd")
    check(stat.S_IMODE(os.stat(real).st_mode) == 0o640, "the mode was not kept")
    with open(real) as f:
        check(f.read() == expected, "through a link: other content")
    os.remove(out)
    os.mkfifo(out)
    reader = subprocess.Popen(["cat", out], stdout=subprocess.PIPE)
    p = run(modelconv, args, folder)
    piped = reader.communicate()[0].decode()
    check(p.returncode == 0 and piped == expected, "a pipe: status %d" % p.returncode)
    check(partials(folder) == [], "finished runs left %s" % partials(folder))


def main():
    modelconv, modeltest = (os.path.abspath(a) for a in sys.argv[1:3])
    work = tempfile.mkdtemp()
    try:
        file_size_limit(modelconv, work)
        killed(modelconv, work)
        interrupted(modeltest, work)
        full_file_system(modelconv, work)
        finished_runs(modelconv, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for f in failures:
        print("FAIL", f)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
