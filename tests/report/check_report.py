#!/usr/bin/env python3
"""The conversion report of `rulecheck --data FILE --report REPORT.html`, read with an
HTML parser and held against modelconv's own run over the same file: the found and
converted counts of every rule, and every suspect value of the log file with its line,
parameter and values. The same run twice gives the same bytes; the report refers to
nothing outside itself; a bad report path is refused with a message and status 1, and
no data or rule file is ever overwritten. With --responses, the section's counts are
the console's and each compared rule has its plots. Where Debian's chromium is installed, it
opens the example's report and writes a screenshot that is not blank.

Usage: check_report.py MODELCONV RULECHECK EXAMPLES RULECHECK_CASES
"""
import html.parser
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


class Tables(html.parser.HTMLParser):
    """Every table of the page, as rows of cell texts, under the id of the heading or
    section before it."""

    def __init__(self):
        super().__init__()
        self.tables, self.where, self.row, self.cell, self.refs = [], "", None, None, []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for name in ("src", "href", "action", "data", "xlink:href"):
            if name in attrs:
                self.refs.append(attrs[name])
        if "id" in attrs:
            self.where = attrs["id"]
        if tag == "table":
            self.tables.append((self.where, []))
        elif tag == "tr":
            self.row = []
        elif tag in ("td", "th"):
            self.cell = ""

    def handle_endtag(self, tag):
        if tag in ("td", "th") and self.row is not None:
            self.row.append(self.cell.strip())
            self.cell = None
        elif tag == "tr" and self.row is not None:
            self.tables[-1][1].append(self.row)
            self.row = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


VOID = {"meta", "br", "img", "input", "link", "hr", "wbr"}


class Nesting(html.parser.HTMLParser):
    """Tags opened and closed in order (self-closed SVG shapes count as closed), and the
    page's text as a browser shows it."""

    def __init__(self):
        super().__init__()
        self.stack, self.errors, self.text = [], [], []

    def handle_starttag(self, tag, attrs):
        if tag not in VOID:
            self.stack.append(tag)

    def handle_startendtag(self, tag, attrs):
        pass

    def handle_endtag(self, tag):
        if not self.stack or self.stack[-1] != tag:
            self.errors.append("</%s> closes <%s>" % (tag, self.stack[-1] if self.stack else ""))
        else:
            self.stack.pop()

    def handle_data(self, data):
        self.text.append(data)


def well_formed(text, where):
    """Every element is closed where it was opened; returns the page's text."""
    nesting = Nesting()
    nesting.convert_charrefs = True
    nesting.feed(text)
    nesting.close()
    check(not nesting.errors and not nesting.stack,
          "%s: not well-formed: %s, left open %s" % (where, nesting.errors[:3], nesting.stack))
    return "".join(nesting.text)


def markup_in_names(rulecheck, work):
    """Model, bus and unit names holding markup characters are shown as text."""
    folder = os.path.join(work, "markup")
    os.makedirs(os.path.join(folder, "lib"))
    with open(os.path.join(folder, "rule.txt"), "w") as f:
        f.write("<zz> a&b\"q'\n")
    with open(os.path.join(folder, "lib", "<zz>-a&b\"q'"), "w") as f:
        f.write("@x\n@end\n$y=@x 0 10 ($y<5) 1\n$end\n")
    with open(os.path.join(folder, "data.dyd"), "w") as f:
        f.write('<zz> 1 "<b>&amp;" 13.8 "1 " : 7\n'
                '<zz> 2 "A\'B" 13.8 "2 " : 2\n'
                'x&"\' 3 "C" 1 "1 " : 1\n')
    p = subprocess.run([rulecheck, "--data", "data.dyd", "--report", "report.html"], cwd=folder,
                       capture_output=True, text=True)
    check("Report written to [report.html]" in p.stdout, "markup: %s" % p.stdout[-300:])
    text = open(os.path.join(folder, "report.html"), encoding="ascii").read()
    shown = well_formed(text, "markup")
    for name in ("<zz>", "a&b\"q'", "x&\"'"):
        check(name in shown, "markup: [%s] is not shown as text" % name)
    check("<zz>" not in text and "<b>" not in text, "markup: a name is written as markup")
    # The units' places are read before the new name, which holds a quote, is written over
    # the header.
    cells = Cells()
    cells.feed(text)
    units = [rows for where, cls, rows in cells.tables if where == "rule-0" and "units" in cls]
    places = [(r[1][1], r[2][1], r[3][1]) for r in units[0][1:]] if units else []
    check(places == [("1", "<b>&amp;", "1"), ("2", "A'B", "2")],
          "markup: the units stand at %s" % places)


class Cells(html.parser.HTMLParser):
    """The cells of every table, with their classes, under the id of the element before."""

    def __init__(self):
        super().__init__()
        self.tables, self.where, self.row, self.cell, self.text = [], "", None, None, []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.where = attrs["id"]
        if tag == "table":
            self.tables.append((self.where, attrs.get("class", ""), []))
        elif tag == "tr":
            self.row = []
        elif tag in ("td", "th"):
            self.cell = [attrs.get("class") or "", ""]

    def handle_endtag(self, tag):
        if tag in ("td", "th") and self.row is not None and self.cell is not None:
            self.row.append((self.cell[0], self.cell[1].strip()))
            self.cell = None
        elif tag == "tr" and self.row is not None:
            self.tables[-1][2].append(self.row)
            self.row = None

    def handle_data(self, data):
        self.text.append(data)
        if self.cell is not None:
            self.cell[1] += data


def units_and_marks(rulecheck, work):
    """A data file of units inside, outside and failing their limits, and of records
    with values the rule does not read: every unit listed, its values marked."""
    folder = os.path.join(work, "units")
    os.makedirs(os.path.join(folder, "lib"))
    with open(os.path.join(folder, "rule.txt"), "w") as f:
        f.write("tgov1 ieeeg1\n")
    with open(os.path.join(folder, "lib", "tgov1-ieeeg1"), "w") as f:
        f.write("@r 0.05\n@t1 0.5\n@vmax 1\n@end\n"
                "$k=1/@r 10 30 ($k>0)&&($k<100) 20\n"
                "$t1=0 0 0\n$t2=0 0 0\n"
                "$t3=@t1 0.1 1 ($t3>=0.04) NULL\n"
                "$uo=1 1 1\n$uc=-1 -1 -1\n"
                "$pmax=@vmax 0.9 1.1 ($pmax>0) 1\n$end\n")
    lines = ['tgov1 1 "INSIDE" 22 "1 " : #1 0.05 0.5 1 0 3 10 0\n',      # k 20, inside
             'tgov1 2 "OUT SIDE" 22 "1 " : #1 0.02 0.5 1 0 3 10 0\n',    # k 50: outside
             'tgov1 3 "FAILS" 22 "1 " : #1 0 0.02 1 0 3 10 0\n',         # k replaced, t3 kept
             'tgov1 4 "SHORT" 22 "1 " : #1 0.05 0.5\n']                  # vmax not given
    lines += ['tgov1 %d "BULK" 22 "1 " : #1 0.05 0.5 1\n' % (100 + n) for n in range(250)]
    lines += ['tgov1 999 "LATE" 22 "1 " : #1 0.04 0.5 2\n']            # pmax 2: outside
    with open(os.path.join(folder, "data.dyd"), "w") as f:
        f.writelines(lines)
    p = subprocess.run([rulecheck, "--data", "data.dyd", "--report", "report.html"], cwd=folder,
                       capture_output=True, text=True)
    check("Report written to [report.html]" in p.stdout, "units: %s" % p.stdout[-300:])
    text = open(os.path.join(folder, "report.html"), encoding="ascii").read()
    well_formed(text, "units")
    cells = Cells()
    cells.feed(text)
    units = [rows for where, cls, rows in cells.tables if where == "rule-0" and "units" in cls]
    check(len(units) == 1, "units: %d unit tables in rule 0" % len(units))
    # The summary counts units outside their limits (2, 3 with its t3 kept at 0.02, 999)
    # apart from units with a suspect value (3 and 4).
    summary = [rows for where, cls, rows in cells.tables if where == "summary"]
    if summary:
        heads = [c[1] for c in summary[0][0]]
        row = [c[1] for c in summary[0][1]]
        counts = dict(zip(heads, row))
        check(counts.get("units outside limits") == "3" and
              counts.get("units with suspect values") == "2",
              "units: summary counts %s" % counts)
    else:
        check(False, "units: no summary table")
    if not units:
        return
    head, rows = [c[1] for c in units[0][0]], units[0][1:]
    check(head[:6] == ["line", "bus", "name", "ID", "$k", "$t1"], "units: heads %s" % head[:6])
    check(len(rows) == 200, "units: %d rows listed, 200 wanted" % len(rows))
    by_bus = {r[1][1]: r for r in rows}
    # The units with a marked value come first, the late one among them.
    check([r[1][1] for r in rows[:4]] == ["2", "3", "4", "999"], "units: first rows %s" %
          [r[1][1] for r in rows[:4]])
    check(by_bus["1"][2][1] == "INSIDE" and all(c[0] == "n" for c in by_bus["1"][4:]),
          "units: the inside unit is marked %s" % by_bus["1"])
    check(by_bus["2"][2][1] == "OUT SIDE" and by_bus["2"][4][0] == "n outside" and
          by_bus["2"][4][1] == "50", "units: the outside value %s" % (by_bus["2"][4],))
    k, t3 = by_bus["3"][4], by_bus["3"][7]
    check(k[0] == "n suspect" and k[1].startswith("20") and "($k>0)&&($k<100)" in k[1] and
          "-99999" in k[1] and "replaced by 20" in k[1], "units: the replaced value %s" % (k,))
    check(t3[0] == "n suspect" and t3[1].startswith("0.02") and "kept" in t3[1],
          "units: the kept value %s" % (t3,))
    check(by_bus["999"][10][0] == "n outside", "units: the late unit %s" % by_bus["999"])
    shown = "".join(cells.text)
    check("4 units with a value" not in shown, "units: counted as listed")
    check("255 units converted, 4 with a value that is suspect" in shown,
          "units: the unit counts are not told")
    check("Listed: 200, those with such a value first." in shown, "units: the listing is not told")
    check("Not read: 3 records hold values 4 to 7 (vmin, t2, t3, dt in tgov1's order) that the "
          "rule does not read" in shown, "units: the values not read are not listed")
    check("vmin, t2, t3, dt in tgov1's order" in shown, "units: the names not read: %s" %
          shown[shown.find("Not read"):shown.find("Not read") + 160])
    bad = [c[1] for t in cells.tables for r in t[2] for c in r if re.fullmatch(r"-?\d+\.", c[1])]
    check(not bad, "units: numbers written with a bare point: %s" % bad[:5])
    check(not re.search(r">-?\d+\.<", text), "units: a number with a bare point in the page")


def table(parsed, where):
    return [t for w, t in parsed.tables if w == where]


def value(text):
    return float(text)


def modelconv_run(modelconv, folder, data):
    """modelconv over every bus of the file: its summary and its log's suspect lines."""
    open(os.path.join(folder, "exclude-none"), "w").close()
    p = subprocess.run([modelconv, data, "exclude-none", "out.dyd", "log.txt", "changes.txt"],
                       cwd=folder, capture_output=True, text=True)
    summary = re.findall(r"^ *(\d+) \[(.*?) *\] \[(.*?) *\] found +(\d+) +converted +(\d+)$",
                         p.stderr, re.M)
    log = open(os.path.join(folder, "log.txt"), encoding="latin-1").read().split("\n")[1:-1]
    for name in ("exclude-none", "out.dyd", "log.txt", "changes.txt", "rerr.txt", "rulesused.txt"):
        os.remove(os.path.join(folder, name))
    return summary, log


def check_against_modelconv(modelconv, rulecheck, source, data, work):
    folder = os.path.join(work, "run-" + data)
    shutil.copytree(source, folder)
    summary, log = modelconv_run(modelconv, folder, data)
    before = {n: open(os.path.join(folder, n), "rb").read() for n in [data, "rule.txt"]}
    p = subprocess.run([rulecheck, "--data", data, "--report", "report.html"], cwd=folder,
                       capture_output=True, text=True)
    where = data
    check("Report written to [report.html]\n" in p.stdout, "%s: %s" % (where, p.stdout[-300:]))
    with open(os.path.join(folder, "report.html"), "rb") as f:
        first = f.read()
    subprocess.run([rulecheck, "--data", data, "--report", "again.html"], cwd=folder,
                   capture_output=True)
    with open(os.path.join(folder, "again.html"), "rb") as f:
        check(f.read() == first, "%s: a second run gives other bytes" % where)
    for name, content in before.items():
        check(open(os.path.join(folder, name), "rb").read() == content, "%s: %s changed" % (where, name))
    text = first.decode("ascii")  # every other byte is written as a reference
    well_formed(text, where)
    parsed = Tables()
    parsed.feed(text)
    check(all(r.startswith("#") for r in parsed.refs), "%s: references %s" % (where, parsed.refs))
    check(not re.search(r"url\(|@import|https?:", text), "%s: refers outside itself" % where)

    rows = table(parsed, "summary")[0][1:]
    check(len(rows) == len(summary), "%s: %d rules in the report, %d in modelconv's summary" %
          (where, len(rows), len(summary)))
    for row, (index, source_model, target_model, found, converted) in zip(rows, summary):
        check(row[:5] == [index, source_model, target_model, found, converted],
              "%s: summary %s, modelconv %s" % (where, row[:5], (index, found, converted)))
    # Every suspect line of the log, in order: bus, ID, parameter, suspect and final value;
    # and the report's line is that record's line in the data file.
    lines = open(os.path.join(folder, data), encoding="latin-1").read().split("\n")
    suspects = table(parsed, "suspects")
    reported = suspects[0][1:] if suspects else []
    check(len(reported) == min(len(log), 1000), "%s: %d suspect rows, %d log lines" %
          (where, len(reported), len(log)))
    for row, entry in zip(reported, log):
        fields = [f.strip() for f in entry[:48].split(",")]
        param, suspect, final = [f.strip() for f in entry[48:].split(",")[1:4]]
        line, bus, unit_id, model, parameter = row[:5]
        ok = (bus == fields[1] and unit_id == fields[4].strip('"').strip() and parameter == param and
              round(value(row[5]), 3) == round(float(suspect), 3) and
              round(value(row[6]), 3) == round(float(final), 3))
        check(ok, "%s: report row %s, log line %s" % (where, row, entry))
        check(lines[int(line) - 1].split()[0] == model, "%s: line %s is no %s record" %
              (where, line, model))


def refused_paths(rulecheck, examples, work):
    folder = os.path.join(work, "refused")
    shutil.copytree(examples, folder)
    keep = {n: open(os.path.join(folder, n), "rb").read()
            for n in ("example.dyd", "rule.txt", "lib/tgov1-ieeeg1")}
    for target, message in (("no-such-folder/report.html", "error: cannot write the report"),
                            ("example.dyd", "error: is the same file as [example.dyd], which "
                             "this run reads: nothing is written"),
                            ("lib/tgov1-ieeeg1", "error: is the same file as [lib/tgov1-ieeeg1], "
                             "which this run reads: nothing is written"),
                            ("rule.txt", "error: is the same file as [rule.txt], which this run "
                             "reads: nothing is written")):
        p = subprocess.run([rulecheck, "--data", "example.dyd", "--report", target], cwd=folder,
                           capture_output=True, text=True)
        check(p.returncode == 1, "--report %s: status %d" % (target, p.returncode))
        check("%s: %s" % (target, message) in p.stdout, "--report %s: %s" % (target, p.stdout[-200:]))
    for args in (["--report", "r.html"], ["--data", "example.dyd", "--report"],
                 ["--data", "example.dyd", "all", "r.html"]):
        p = subprocess.run([rulecheck] + args, cwd=folder, capture_output=True, text=True)
        check(p.returncode == 1 and p.stderr.startswith("Usage: rulecheck"), "%s: no usage" % args)
    for name, content in keep.items():
        check(open(os.path.join(folder, name), "rb").read() == content, "%s was overwritten" % name)
    leftovers = [n for n in os.listdir(folder) if n.endswith(".html") or ".partial-" in n]
    check(leftovers == [], "refused runs left %s" % leftovers)


def png_pixels(path):
    """The RGB(A) rows of a PNG of 8-bit samples, its filters undone."""
    data = open(path, "rb").read()
    check(data[:8] == b"\x89PNG\r\n\x1a\n", "the screenshot is no PNG")
    pos, idat, width, height, channels = 8, b"", 0, 0, 3
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            channels = {2: 3, 6: 4}[colour]
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw, stride, rows, prev = zlib.decompress(idat), width * channels, [], bytearray(width * channels)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = prev[i], prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        prev = line
    return rows, channels


def screenshot(rulecheck, examples, work):
    browser = shutil.which("chromium")
    if not browser:
        print("skipped: the screenshot (Debian's chromium is not installed)")
        return
    folder = os.path.join(work, "screenshot")
    shutil.copytree(examples, folder)
    subprocess.run([rulecheck, "--data", "example.dyd", "--report", "report.html"], cwd=folder,
                   capture_output=True)
    picture = os.path.join(folder, "report.png")
    p = subprocess.run([browser, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                        "--no-first-run", "--disable-background-networking",
                        "--disable-component-update", "--disable-sync", "--hide-scrollbars",
                        "--user-data-dir=" + os.path.join(folder, "profile"),
                        "--enable-logging=stderr", "--window-size=1000,700",
                        "--screenshot=" + picture, "file://" + os.path.join(folder, "report.html")],
                       capture_output=True, text=True, timeout=120)
    check(p.returncode == 0 and os.path.exists(picture), "chromium: %s" % p.stderr[-300:])
    check("Uncaught" not in p.stderr, "the report's script fails: %s" % p.stderr[-300:])
    if not os.path.exists(picture):
        return
    rows, channels = png_pixels(picture)
    pixels = [row[i:i + 3] for row in rows for i in range(0, len(row), channels)]
    inked = sum(1 for px in pixels if px != b"\xff\xff\xff")
    colours = len(set(pixels))
    check(inked > len(pixels) // 50 and colours > 20, "the screenshot is blank: %d of %d pixels "
          "inked, %d colours" % (inked, len(pixels), colours))


class Plots(html.parser.HTMLParser):
    """Per folded rule of the Responses section: its figure captions and the lines drawn."""

    def __init__(self):
        super().__init__()
        self.rule, self.caption, self.figures, self.lines = None, None, {}, {}
        self.choices, self.in_choices = [], False
        self.svgs = {}  # per rule, the labels of its time plots' pictures

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "details" and attrs.get("id", "").startswith("responses-"):
            self.rule = int(attrs["id"].split("-")[1])
            self.figures[self.rule], self.lines[self.rule] = [], 0
        elif tag == "figcaption" and self.rule is not None:
            self.caption = ""
        elif tag == "polyline" and self.rule is not None:
            self.lines[self.rule] += 1
        elif tag == "svg" and self.rule is not None:
            self.svgs.setdefault(self.rule, []).append(attrs.get("aria-label", ""))
        elif tag == "ul" and attrs.get("class") == "choices":
            self.in_choices = True
        elif tag == "li" and self.in_choices:
            self.choices.append("")

    def handle_endtag(self, tag):
        if tag == "figcaption" and self.caption is not None:
            self.figures[self.rule].append(self.caption)
            self.caption = None
        elif tag == "details":
            self.rule = None
        elif tag == "ul":
            self.in_choices = False

    def handle_data(self, data):
        if self.caption is not None:
            self.caption += data
        if self.in_choices and self.choices:
            self.choices[-1] += data


def responses_section(rulecheck, example, work):
    """The example with --responses: the section's counts are the console's, every
    compared rule has plots of OLD and NEW with the record's place and outcome, the
    choices the console names are listed, and two runs give the same bytes."""
    folder = os.path.join(work, "responses")
    shutil.copytree(example, folder)
    runs = []
    for name in ("report.html", "again.html"):
        runs.append(subprocess.run([rulecheck, "--data", "example.dyd", "--responses",
                                    "--report", name], cwd=folder, capture_output=True, text=True))
    p = runs[0]
    check(p.returncode == 1 and "Report written to [report.html]" in p.stdout,
          "responses: status %d, %s" % (p.returncode, p.stdout[-300:]))
    text = open(os.path.join(folder, "report.html"), encoding="ascii").read()
    check(text == open(os.path.join(folder, "again.html"), encoding="ascii").read(),
          "responses: two runs give different reports")
    shown = well_formed(text, "responses")
    cells = Cells()
    cells.feed(text)
    tables = [rows for where, cls, rows in cells.tables if where == "responses"]
    check(len(tables) == 1, "responses: %d tables after the heading" % len(tables))
    console = {}
    for line in p.stdout.split("\n"):
        m = re.match(r" ?(\d+) \[(\S+) *\] \[(\S+) *\] compared +(\d+) +pass +(\d+) +fail +(\d+)"
                     r" +no start +(\d+) +not simulated +(\d+)", line)
        if m:
            console[int(m.group(1))] = [m.group(i) for i in range(2, 9)]
    check(len(console) == 7, "responses: %d rule lines on the console" % len(console))
    tgov1 = next((rule for rule, line in console.items() if line[0] == "tgov1"), -1)
    if tables:
        for row in tables[0][1:]:
            values = [c[1] for c in row]
            rule = int(values[0])
            want = console.get(rule)
            got = values[1:3] + values[4:9]
            check(want == got, "responses: rule %d is %s in the report, %s on the console" %
                  (rule, got, want))
    plots = Plots()
    plots.feed(text)
    for rule, (_, _, compared, *_rest) in console.items():
        captions = plots.figures.get(rule, [])
        check(int(compared) == 0 or (captions and plots.lines[rule] >= 2 * len(captions)),
              "responses: rule %d: %d plots, %d lines" % (rule, len(captions), plots.lines.get(rule, 0)))
        for caption in captions:
            check(re.search(r"line \d+, bus \d+ \"[^\"]*\" unit \"..\"; [\w ]+ (PASS|FAIL|NOT_JUDGED|UNSTABLE_NEW)",
                            caption),
                  "responses: rule %d: caption [%s]" % (rule, caption))
    check(any("pm FAIL 0.138" in c for c in plots.figures.get(tgov1, [])),
          "responses: the failing tgov1 unit is not plotted first: %s" % plots.figures.get(tgov1))
    # The failing record's plots (speed step Pm, isolated unit Pm and dw) show NEW - OLD on
    # an axis of their own; a passing one's not.
    tgov1_svgs = plots.svgs.get(tgov1, [])
    check(tgov1_svgs[:3] == ["OLD, NEW and NEW - OLD"] * 3 and
          tgov1_svgs[3:6] == ["OLD and NEW response"] * 3,
          "responses: tgov1's plots are %s" % plots.svgs.get(tgov1))
    # A record is drawn once, even where the median is one of the worst.
    for rule, captions in plots.figures.items():
        lines = [re.search(r"line (\d+)", c).group(1) for c in captions]
        check(len(lines) == len(set(lines)), "responses: rule %d draws a record twice: %s" %
              (rule, captions))
    said = set(l.strip() for l in p.stdout.split("\n"))
    check(len(plots.choices) >= 5 and all("- " + c in said for c in plots.choices),
          "responses: the choices listed %s are not the console's" % plots.choices)
    check("None is confirmed for every program" in shown, "responses: choices shown as certain")


def main():
    modelconv, rulecheck, examples, cases = (os.path.abspath(a) for a in sys.argv[1:5])
    work = tempfile.mkdtemp()
    try:
        example = os.path.join(work, "example-source")
        os.mkdir(example)
        for name in ("rule.txt", "example.dyd", "lib"):
            source = os.path.join(examples, name)
            (shutil.copytree if os.path.isdir(source) else shutil.copy)(source, os.path.join(example, name))
        check_against_modelconv(modelconv, rulecheck, example, "example.dyd", work)
        check_against_modelconv(modelconv, rulecheck, os.path.join(cases, "preview-kundur", "in"),
                                "kundur4LTD.dyd", work)
        check_against_modelconv(modelconv, rulecheck,
                                os.path.join(cases, "preview-alias-six-rules", "in"),
                                "dyd_alias_models.dyd", work)
        refused_paths(rulecheck, example, work)
        markup_in_names(rulecheck, work)
        units_and_marks(rulecheck, work)
        responses_section(rulecheck, example, work)
        screenshot(rulecheck, example, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for f in failures:
        print("FAIL", f)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
