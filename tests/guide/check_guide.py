#!/usr/bin/env python3
"""Every example of the user guide runs as written and shows what the guide says.

- A block after `<!-- run in examples[, status N] -->` is run with bash in a copy of
  examples/ (one copy for the whole guide, in order), with the programs on the PATH;
  its status must be 0 (or N).
- A block after `<!-- sample of FILE -->` must stand, line by line, in FILE of that
  copy; `console`, `stdout` mean what the last run block wrote there.
- The table after `<!-- expressions: @a=0 ... -->`: each expression, evaluated by
  modelconv with those inputs, gives the value and the console messages shown.
- The table between `<!-- messages -->` and `<!-- end of messages -->` holds every
  message the programs' sources write to the console, and nothing the sources lack.

Usage: check_guide.py GUIDE EXAMPLES SOURCES BUILD_FOLDER
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

failures = []


def fail(where, text):
    failures.append("%s: %s" % (where, text))


def blocks(lines):
    """(marker, line number, block lines) for every marked fenced block."""
    marker = None
    i = 0
    while i < len(lines):
        m = re.match(r"<!-- (.*) -->$", lines[i].strip())
        if m:
            marker = m.group(1)
        elif lines[i].startswith("```") and marker:
            start = i + 1
            i += 1
            while not lines[i].startswith("```"):
                i += 1
            yield marker, start, lines[start:i]
            marker = None
        elif lines[i].strip():
            marker = None if not lines[i].startswith("|") else marker
        i += 1


def table_rows(lines, start):
    rows = []
    for line in lines[start:]:
        if not line.startswith("|"):
            if rows:
                break
            continue
        cells = [c.strip().replace("\\|", "|") for c in re.split(r"(?<!\\)\|", line)[1:-1]]
        if cells and not set(cells[0]) <= set("-") and cells[0] not in ("Expression", "Message"):
            rows.append(cells)
    return rows


def code_spans(cell):
    return re.findall(r"`([^`]*)`", cell)


def check_expressions(lines, start, inputs, path_env):
    rows = table_rows(lines, start)
    names = [n for n, _ in inputs]
    for expression, value, messages in rows:
        text = code_spans(expression)[0]
        with tempfile.TemporaryDirectory() as d:
            os.mkdir(os.path.join(d, "lib"))
            with open(os.path.join(d, "rule.txt"), "w") as f:
                f.write("calc result\n")
            with open(os.path.join(d, "lib", "calc-result"), "w") as f:
                for n in names:
                    f.write(n + "\n")
                # The test 0 fails: the replace expression, the example, gives the value.
                f.write("@end\n$x=0 0 0 0 %s\n$end\n" % text)
            with open(os.path.join(d, "data.dyd"), "w") as f:
                f.write('calc 1 "B" 1 "1 " : #9 %s\n' % " ".join(v for _, v in inputs))
            open(os.path.join(d, "exclude"), "w").close()
            run = subprocess.run(["modelconv", "data.dyd", "exclude", "out.dyd", "log", "changes"], cwd=d,
                                 capture_output=True, text=True, env=path_env)
            out = open(os.path.join(d, "out.dyd")).read().split("\n")[1]
            got = float(out.split("#9")[1].split()[0])
            console = re.split(r"(?m)^ 0 \[calc", run.stderr.split("Read     0 bus numbers\n")[1])[0]
            shown = [l for l in console.split("\n") if l and not l.startswith("[[")]
            if got != float(value):
                fail("expression %s" % text, "value %s, the guide says %s" % (got, value))
            if shown != code_spans(messages):
                fail("expression %s" % text, "messages %s, the guide says %s" % (shown, code_spans(messages)))


WRITERS = re.compile(r"stderr|console_printf|report_unconverted|copy_unconverted|limit_exceeded|"
                     r"expression_error|kUsage|Missing|Working without")
# The checker's findings are its output, told in the guide's section on rulecheck.
FINDINGS = ("library_check.cpp", "expression_check.cpp", "findings.cpp", "preview.cpp",
            "layout_check.cpp")


def source_files(sources):
    for root, _, files in os.walk(sources):
        for name in files:
            if name.endswith((".cpp", ".h")) and not name.endswith("_test.cpp"):
                yield name, open(os.path.join(root, name)).read()


def source_messages(sources):
    """The texts the sources write to the console: the string literals of the statements
    that write, each up to its first line end, "%.*s" read as "%s". A statement that
    builds its line in pieces gives its format in a comment, which counts instead."""
    found = set()
    for name, text in source_files(sources):
        if name in FINDINGS:
            continue
        text = "\n".join(l for l in text.split("\n") if not l.lstrip().startswith("#include"))
        for statement in re.split(r";\s*\n", text):
            if not WRITERS.search(statement):
                continue
            formats = re.findall(r'//[^"\n]*"((?:[^"\\]|\\.)*\\n)"', statement)
            if not formats:
                code = "\n".join(l for l in statement.split("\n") if not l.lstrip().startswith("//"))
                formats = re.findall(r'"((?:[^"\\]|\\.)*)"', code)
            for literal in formats:
                literal = literal.replace('\\"', '"').split("\\n")[0].replace("%.*s", "%s")
                if (" " in literal or "%" in literal) and not literal.startswith("%s #9"):
                    found.add(literal)
    return found


def as_pattern(literal):
    """A message of the sources as a pattern of what the guide shows: a limit that the
    message states by its name ("%d") stands in the guide as its number."""
    return re.escape(literal).replace("%d", r"-?\d+")


def in_sources(message, sources):
    """A documented message stands in the sources, as a literal or, for a line built in
    pieces, in the comment that gives its format."""
    quoted = [message, message.replace("%s", "%.*s"), message.replace('"', '\\"')]
    if any(q in text for _, text in source_files(sources) for q in quoted):
        return True
    return any(re.fullmatch(as_pattern(m), message) for m in source_messages(sources))


def main():
    guide, examples, sources, build = (os.path.abspath(a) for a in sys.argv[1:5])
    lines = open(guide).read().split("\n")
    env = dict(os.environ, PATH=build + os.pathsep + os.environ["PATH"])
    work = tempfile.mkdtemp()
    folder = os.path.join(work, "examples")
    os.mkdir(folder)  # the shipped example, without what runs there have written
    for name in ("rule.txt", "example.dyd", "exclude"):
        shutil.copy(os.path.join(examples, name), folder)
    shutil.copytree(os.path.join(examples, "lib"), os.path.join(folder, "lib"))
    os.mkdir(os.path.join(folder, "fit"))
    for name in ("rule.txt", "gas.dyd"):
        shutil.copy(os.path.join(examples, "fit", name), os.path.join(folder, "fit"))
    shutil.copytree(os.path.join(examples, "fit", "lib"), os.path.join(folder, "fit", "lib"))
    last = {"stdout": "", "console": ""}
    ran = samples = 0
    for marker, start, block in blocks(lines):
        where = "guide line %d" % start
        if marker.startswith("run in examples"):
            status = int(marker.split("status")[1]) if "status" in marker else 0
            script = "\n".join(l for l in block if l.strip() != "cd examples")
            run = subprocess.run(["bash", "-c", script], cwd=folder, capture_output=True, text=True, env=env)
            last = {"stdout": run.stdout, "console": run.stderr}
            ran += 1
            if run.returncode != status:
                fail(where, "status %d, expected %d: %s" % (run.returncode, status, run.stderr[-300:]))
        elif marker.startswith("sample of "):
            name = marker[len("sample of "):]
            content = last[name] if name in last else open(os.path.join(folder, name)).read()
            have = content.split("\n")
            samples += 1
            if not any(have[i:i + len(block)] == block for i in range(len(have))):
                fail(where, "these lines do not stand in %s:\n  %s" % (name, "\n  ".join(block)))
    for i, line in enumerate(lines):
        m = re.match(r"<!-- expressions: (.*) -->", line)
        if m:
            inputs = [tuple(p.split("=")) for p in m.group(1).split()]
            check_expressions(lines, i + 1, inputs, env)
        if line.strip() == "<!-- messages -->":
            rows = table_rows(lines, i + 1)
            documented = [code_spans(r[0])[0] for r in rows]
            table = "\n".join(" ".join(r) for r in rows)
            for message in documented:
                if not in_sources(message, sources):
                    fail("messages", "[%s] is in the guide but no program writes it" % message)
            for message in sorted(source_messages(sources)):
                if message not in table and not any(re.fullmatch(as_pattern(message), d)
                                                    for d in documented):
                    fail("messages", "[%s] is written by a program but not in the guide" % message)
    shutil.rmtree(work)
    for f in failures:
        print("FAIL", f)
    print("%d blocks run, %d samples compared, %d failures" % (ran, samples, len(failures)))
    return 1 if failures or ran == 0 or samples == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
