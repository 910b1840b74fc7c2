// The conversion report: one self-contained HTML file of what a preview found, to be
// read in any browser, printed, or read as text.
#include "rulecheck/html_report.h"

#include <cstring>
#include <initializer_list>

#include "convert/convert_record.h"
#include "records/record_writer.h"
#include "text/format.h"

namespace {

constexpr const char* kStyle = R"(
body { font-family: system-ui, sans-serif; font-size: 14px; color: #1d2430; margin: 24px; }
h1 { font-size: 22px; margin: 0 0 6px; } h2 { font-size: 17px; margin: 26px 0 6px; }
p { margin: 4px 0; } .facts { color: #4b5565; }
table { border-collapse: collapse; margin: 6px 0 10px; }
th, td { border-bottom: 1px solid #d7dce4; padding: 3px 7px; text-align: left;
  vertical-align: top; }
th { background: #eef1f5; font-weight: 600; }
table.sortable th { cursor: pointer; }
td.n, th.n { text-align: right; white-space: nowrap; font-variant-numeric: tabular-nums; }
code { font-family: ui-monospace, monospace; font-size: 12.5px; overflow-wrap: anywhere; }
.bins { font-family: ui-monospace, monospace; font-size: 9.5px; color: #4b5565; width: 180px; }
.legend { color: #4b5565; font-size: 12.5px; }
.swatch { display: inline-block; width: 10px; height: 10px; vertical-align: -1px;
  border: 1px solid #8a94a6; }
.bad { color: #a3261b; font-weight: 600; }
svg { display: block; }
nav a { margin-right: 10px; }
@page { size: A4; margin: 12mm; }
@media print {
  body { margin: 0; font-size: 8pt; } nav { display: none; }
  tr, svg { break-inside: avoid; } thead { display: table-header-group; }
  th, td { padding: 2px 4px; } code { font-size: 7.5pt; }
  svg { width: 120px; height: 31px; } .bins { width: 120px; font-size: 6.5pt; }
}
)";

// Clicking a column head sorts the table by that column; nothing else needs a script.
constexpr const char* kSortScript = R"(
document.querySelectorAll('table.sortable th').forEach(function (th) {
  th.title = 'Sort by this column';
  th.addEventListener('click', function () {
    var body = th.closest('table').tBodies[0];
    var column = Array.prototype.indexOf.call(th.parentNode.children, th);
    var up = th.dataset.order !== 'up';
    th.dataset.order = up ? 'up' : 'down';
    var rows = Array.prototype.slice.call(body.rows);
    rows.sort(function (a, b) {
      var x = a.cells[column].textContent.trim(), y = b.cells[column].textContent.trim();
      var p = parseFloat(x), q = parseFloat(y);
      var order = !isNaN(p) && !isNaN(q) ? p - q : x.localeCompare(y);
      return up ? order : -order;
    });
    rows.forEach(function (row) { body.appendChild(row); });
  });
});
)";

constexpr const char* kBarColour = "#4a6fa5";
constexpr const char* kReplacedColour = "#d9822b";
constexpr const char* kBandColour = "#e3ebf6";
constexpr const char* kBandLineColour = "#8a94a6";

// Text of the data or rule files, safe in HTML: markup characters as references,
// control characters as \xNN, other bytes above 0x7f as the Latin-1 characters.
void put_escaped(std::FILE* out, const char* text) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    const unsigned char c = *p;
    const char* reference = c == '&'    ? "&amp;"
                            : c == '<'  ? "&lt;"
                            : c == '>'  ? "&gt;"
                            : c == '"'  ? "&quot;"
                            : c == '\'' ? "&#39;"
                                        : nullptr;
    if (reference) {
      std::fputs(reference, out);
    } else if (c < 0x20 || c == 0x7f) {
      std::fprintf(out, "\\x%02x", c);
    } else if (c >= 0x80) {
      std::fprintf(out, "&#x%X;", c);
    } else {
      std::fputc(c, out);
    }
  }
}

// A value as the programs write it (" 0.", " 1.", "%8.4f", "%9.3f"), without its blanks.
void put_number(std::FILE* out, double value) {
  char text[kValueTextSize + 16];
  *put_value(text, static_cast<float>(value)) = '\0';
  std::fputs(text + std::strspn(text, " "), out);
}

void cell_text(std::FILE* out, const char* text, bool code = false) {
  std::fputs(code ? "<td><code>" : "<td>", out);
  put_escaped(out, text);
  std::fputs(code ? "</code></td>" : "</td>", out);
}

void cell_int(std::FILE* out, int value, bool flag = false) {
  std::fprintf(out, flag && value > 0 ? "<td class=\"n bad\">%d</td>" : "<td class=\"n\">%d</td>",
               value);
}

void cell_number(std::FILE* out, double value) {
  std::fputs("<td class=\"n\">", out);
  put_number(out, value);
  std::fputs("</td>", out);
}

// The heads of a table's columns; a head written ">name" is of a column of numbers.
void head_row(std::FILE* out, std::initializer_list<const char*> heads) {
  std::fputs("<thead><tr>", out);
  for (const char* h : heads) {
    if (h[0] == '>') {
      std::fputs("<th class=\"n\">", out);
      put_escaped(out, h + 1);
    } else {
      std::fputs("<th>", out);
      put_escaped(out, h);
    }
    std::fputs("</th>", out);
  }
  std::fputs("</tr></thead>\n<tbody>\n", out);
}

int record_count(const ReportInput& in) {
  int records = in.tally.other_model_records;
  for (int i = 0; i < in.table.rule_count; ++i) records += in.table.rule_sets[i].found_count;
  for (int i = 0; i < in.tally.model_count; ++i) records += in.tally.model_records[i];
  return records;
}

void write_heading(std::FILE* out, const ReportInput& in) {
  std::fputs("<header>\n<h1>Conversion report: <code>", out);
  put_escaped(out, in.data_file);
  std::fprintf(out, "</code></h1>\n<p class=\"facts\">%d lines, %d records; selection basis [",
               in.tally.lines, record_count(in));
  put_escaped(out, in.basis);
  std::fprintf(out,
               "]; previewed by rulecheck %s, no file converted.</p>\n<p>Rule library, %d "
               "pair%s:",
               PROGRAM_VERSION, in.table.rule_count, in.table.rule_count == 1 ? "" : "s");
  for (int i = 0; i < in.table.rule_count; ++i) {
    const RuleSet& r = in.table.rule_sets[i];
    std::fputs(i ? ", <code>" : " <code>", out);
    put_escaped(out, r.from_model);
    std::fputs(" &rarr; ", out);
    put_escaped(out, r.to_model);
    std::fputs("</code>", out);
  }
  std::fputs(".</p>\n</header>\n<nav><a href=\"#summary\">Summary</a>", out);
  for (int i = 0; i < in.table.rule_count; ++i)
    std::fprintf(out, "<a href=\"#rule-%d\">Rule %d</a>", i, i);
  std::fputs(
      "<a href=\"#suspects\">Suspect values</a><a href=\"#models\">Other models</a>"
      "<a href=\"#warnings\">Warnings</a></nav>\n",
      out);
}

void write_summary(std::FILE* out, const ReportInput& in) {
  std::fputs("<h2 id=\"summary\">Summary</h2>\n<table class=\"sortable\">\n", out);
  head_row(out, {">rule", "from", "to", ">found", ">converted", ">failed", ">suspect values",
                 ">replaced values", ">short records"});
  for (int i = 0; i < in.table.rule_count; ++i) {
    const RuleSet& r = in.table.rule_sets[i];
    std::fprintf(out, "<tr><td class=\"n\">%d</td>", i);
    cell_text(out, r.from_model, true);
    cell_text(out, r.to_model, true);
    cell_int(out, r.found_count);
    cell_int(out, r.converted_count);
    cell_int(out, in.tally.failed[i], true);
    cell_int(out, in.tally.suspects[i]);
    cell_int(out, in.tally.replaced[i]);
    cell_int(out, in.tally.short_records[i].count, true);
    std::fputs("</tr>\n", out);
  }
  std::fputs("</tbody></table>\n", out);
}

// The histogram of one output parameter: its bins as bars, the replaced values in the
// second colour, the band shaded; then every bin's count as text.
void write_histogram(std::FILE* out, const ParameterStats& s, float low) {
  constexpr int kWidth = 180, kHeight = 46, kBase = 40;
  const Histogram& h = s.histogram;
  const int first = h.band ? 0 : 1;
  const int last = h.band ? kHistogramBins + 1 : kHistogramBins;
  const int bars = last - first + 1;
  const double bar = static_cast<double>(kWidth) / bars;
  int highest = 0;
  for (int i = first; i <= last; ++i) highest = h.counts[i] > highest ? h.counts[i] : highest;
  std::fprintf(out,
               "<svg width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\" role=\"img\" "
               "aria-label=\"histogram of the converted values\">",
               kWidth, kHeight, kWidth, kHeight);
  if (h.band) {
    std::fprintf(out, "<rect x=\"%.1f\" y=\"0\" width=\"%.1f\" height=\"%d\" fill=\"%s\"/>", bar,
                 bar * kHistogramBins, kBase, kBandColour);
  } else if (h.started && low >= h.low && low < h.low + kHistogramBins * h.width) {
    // A band of one value (low equal to high) is a line.
    const double x = (low - h.low) / h.width * bar;
    std::fprintf(out,
                 "<line x1=\"%.1f\" y1=\"0\" x2=\"%.1f\" y2=\"%d\" stroke=\"%s\" "
                 "stroke-dasharray=\"3 2\"/>",
                 x, x, kBase, kBandLineColour);
  }
  for (int i = first; i <= last && highest > 0; ++i) {
    const double x = (i - first) * bar + 0.5;
    const double all = static_cast<double>(h.counts[i]) / highest * (kBase - 2);
    const double replaced = static_cast<double>(h.replaced[i]) / highest * (kBase - 2);
    if (h.counts[i] > 0)
      std::fprintf(out, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"%s\"/>",
                   x, kBase - all, bar - 1, all, kBarColour);
    if (h.replaced[i] > 0)
      std::fprintf(out, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"%s\"/>",
                   x, kBase - replaced, bar - 1, replaced, kReplacedColour);
  }
  std::fprintf(out, "<line x1=\"0\" y1=\"%d.5\" x2=\"%d\" y2=\"%d.5\" stroke=\"#8a94a6\"/></svg>",
               kBase, kWidth, kBase);
  std::fputs("<div class=\"bins\">", out);
  if (h.band) {
    std::fprintf(out, "below %d | ", h.counts[0]);
  } else if (h.started) {
    double from, to;
    bin_range(h, 1, &from, &to);
    std::fputs("from ", out);
    put_number(out, from);
    bin_range(h, kHistogramBins, &from, &to);
    std::fputs(" to ", out);
    put_number(out, to);
    std::fputs(": ", out);
  }
  for (int i = 1; i <= kHistogramBins; ++i) std::fprintf(out, i > 1 ? " %d" : "%d", h.counts[i]);
  if (h.band) std::fprintf(out, " | above %d", h.counts[kHistogramBins + 1]);
  std::fputs("</div>", out);
}

void write_rule(std::FILE* out, const ReportInput& in, int i) {
  const RuleSet& r = in.table.rule_sets[i];
  std::fprintf(out, "<section id=\"rule-%d\">\n<h2>Rule %d: <code>", i, i);
  put_escaped(out, r.from_model);
  std::fputs(" &rarr; ", out);
  put_escaped(out, r.to_model);
  std::fprintf(out, "</code></h2>\n<p>%d found, %d converted, %d failed.</p>\n", r.found_count,
               r.converted_count, in.tally.failed[i]);
  if (r.output_count == 0) {
    std::fputs("<p>No output parameters.</p>\n</section>\n", out);
    return;
  }
  char threshold[kMaxFloatText + 1];
  put_shortest(threshold, kFailureThreshold);
  std::fprintf(out,
               "<p class=\"legend\">Distribution of the converted values: the band from low to "
               "high limit <span class=\"swatch\" style=\"background:%s\"></span> shaded, "
               "with a bin below and above it (where the limits give no band, the values' own "
               "range); replaced values <span class=\"swatch\" style=\"background:%s\"></span> "
               "in the second colour. Min, mean and max leave out the values below %s.</p>\n"
               "<table class=\"sortable\">\n",
               kBandColour, kReplacedColour, threshold);
  char failed_head[kMaxFloatText + 8];
  std::snprintf(failed_head, sizeof failed_head, ">below %s", threshold);
  head_row(out, {"output", "assignment", ">low", ">high", ">values", ">min", ">mean", ">max",
                 ">suspect", ">replaced", failed_head, "distribution"});
  for (int k = 0; k < r.output_count; ++k) {
    const ParameterStats& s = in.tally.stats[i][k];
    std::fputs("<tr>", out);
    cell_text(out, r.output_names[k], true);
    cell_text(out, r.expressions[k], true);
    cell_number(out, r.low_limits[k]);
    cell_number(out, r.high_limits[k]);
    cell_int(out, s.values);
    if (s.usable > 0) {
      cell_number(out, s.min);
      cell_number(out, s.sum / s.usable);
      cell_number(out, s.max);
    } else {
      std::fputs("<td class=\"n\">-</td><td class=\"n\">-</td><td class=\"n\">-</td>", out);
    }
    cell_int(out, s.suspect);
    cell_int(out, s.replaced);
    cell_int(out, s.failed, true);
    std::fputs("<td>", out);
    write_histogram(out, s, r.low_limits[k]);
    std::fputs("</td></tr>\n", out);
  }
  std::fputs("</tbody></table>\n</section>\n", out);
}

void write_suspects(std::FILE* out, const ReportInput& in) {
  std::fputs("<h2 id=\"suspects\">Suspect values</h2>\n", out);
  const int shown =
      in.tally.suspect_total < kMaxSuspectRows ? in.tally.suspect_total : kMaxSuspectRows;
  if (shown == 0) {
    std::fputs("<p>None: every converted value passed its test.</p>\n", out);
    return;
  }
  std::fputs("<table class=\"sortable\">\n", out);
  head_row(out, {">line", ">bus", "ID", "model", "parameter", ">suspect", ">final", "check",
                 "replacement"});
  for (int n = 0; n < shown; ++n) {
    const SuspectRow& row = in.tally.rows[n];
    const RuleSet& r = in.table.rule_sets[row.rule];
    std::fprintf(out, "<tr><td class=\"n\">%d</td><td class=\"n\">%d</td>", row.line, row.bus);
    cell_text(out, row.unit_id, true);
    cell_text(out, r.from_model, true);
    cell_text(out, r.output_names[row.output], true);
    cell_number(out, row.suspect);
    cell_number(out, row.final_value);
    cell_text(out, r.test_expressions[row.output], true);
    cell_text(out, row.mark == '#' ? r.replace_expressions[row.output] : "(kept)", row.mark == '#');
    std::fputs("</tr>\n", out);
  }
  std::fputs("</tbody></table>\n", out);
  if (in.tally.suspect_total > shown)
    std::fprintf(out, "<p>And %d more suspect values, in the log file of a conversion.</p>\n",
                 in.tally.suspect_total - shown);
}

void write_models(std::FILE* out, const ReportInput& in) {
  std::fputs("<h2 id=\"models\">Models no rule converts</h2>\n", out);
  if (in.tally.model_count == 0) {
    std::fputs("<p>None.</p>\n", out);
    return;
  }
  static int order[kMaxTalliedModels];
  models_by_count(in.tally, order);
  std::fputs("<table class=\"sortable\">\n", out);
  head_row(out, {"model", ">records"});
  for (int n = 0; n < in.tally.model_count; ++n) {
    std::fputs("<tr>", out);
    cell_text(out, in.tally.models[order[n]], true);
    cell_int(out, in.tally.model_records[order[n]]);
    std::fputs("</tr>\n", out);
  }
  std::fputs("</tbody></table>\n", out);
  if (in.tally.other_model_records > 0)
    std::fprintf(out, "<p>And %d records of further models.</p>\n", in.tally.other_model_records);
}

// One kind of warning of one rule: a row per line listed, one for the rest.
void warning_rows(std::FILE* out, const ReportInput& in, int i, WarningKind kind) {
  const RuleSet& r = in.table.rule_sets[i];
  const Listed& listed = warnings_of(in.tally, kind, i);
  const int shown = listed.count < kMaxListed ? listed.count : kMaxListed;
  char text[256];
  for (int n = 0; n <= shown && n < listed.count; ++n) {
    if (n < shown) {
      describe_warning(kind, r, listed, n, text, sizeof text);
      std::fprintf(out, "<tr><td class=\"n\">%d</td>", listed.lines[n]);
    } else {
      describe_rest(kind, r, listed.count - shown, text, sizeof text);
      std::fputs("<tr><td></td>", out);
    }
    cell_text(out, r.from_model, true);
    cell_text(out, text);
    std::fputs("</tr>\n", out);
  }
}

void write_warnings(std::FILE* out, const ReportInput& in) {
  std::fputs("<h2 id=\"warnings\">Warnings</h2>\n", out);
  int count = 0;
  for (int i = 0; i < in.table.rule_count; ++i) {
    count +=
        in.tally.short_records[i].count + in.tally.keywords[i].count + in.tally.blank_led[i].count;
  }
  if (count == 0) {
    std::fputs("<p>None: every converted record gives the values its rule reads.</p>\n", out);
    return;
  }
  std::fputs("<table class=\"sortable\">\n", out);
  head_row(out, {">line", "model", "warning"});
  for (int i = 0; i < in.table.rule_count; ++i) {
    for (const WarningKind kind : kWarningKinds) warning_rows(out, in, i, kind);
  }
  std::fputs("</tbody></table>\n", out);
}

}  // namespace

void write_html_report(std::FILE* out, const ReportInput& in) {
  std::fputs(
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<title>Conversion report: ",
      out);
  put_escaped(out, in.data_file);
  std::fprintf(out, "</title>\n<style>%s</style>\n</head>\n<body>\n", kStyle);
  write_heading(out, in);
  write_summary(out, in);
  for (int i = 0; i < in.table.rule_count; ++i) write_rule(out, in, i);
  write_suspects(out, in);
  write_models(out, in);
  write_warnings(out, in);
  std::fprintf(out, "<script>%s</script>\n</body>\n</html>\n", kSortScript);
}
