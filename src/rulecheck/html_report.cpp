// The conversion report: one self-contained HTML file of what a preview found, to be
// read in any browser, printed, or read as text.
#include "rulecheck/html_report.h"

#include <cstring>
#include <initializer_list>

#include "convert/convert_record.h"
#include "rulecheck/html_writer.h"
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

void cell_text(Html& h, const char* content, bool code = false) {
  Element td(h, "td");
  if (code) {
    element(h, "code", nullptr, content);
  } else {
    text(h, content);
  }
}

void cell_int(Html& h, int value, bool flag = false) {
  Element td(h, "td");
  td.attr("class", flag && value > 0 ? "n bad" : "n");
  integer(h, value);
}

void cell_number(Html& h, double value) {
  Element td(h, "td");
  td.attr("class", "n");
  number(h, value);
}

// A table of the "sortable" kind with the heads of its columns; a head written ">name"
// is of a column of numbers. The rows go into its body.
struct SortableTable {
  Element table;
  SortableTable(Html& h, std::initializer_list<const char*> heads) : table(h, "table") {
    table.attr("class", "sortable");
    raw(h, "\n");
    {
      Element thead(h, "thead");
      Element tr(h, "tr");
      for (const char* head : heads) {
        Element th(h, "th");
        if (head[0] == '>') th.attr("class", "n");
        text(h, head[0] == '>' ? head + 1 : head);
      }
    }
    raw(h, "\n");
  }
};

int record_count(const ReportInput& in) {
  int records = in.tally.other_model_records;
  for (int i = 0; i < in.table.rule_count; ++i) records += in.rules.counts[i].found;
  for (int i = 0; i < in.tally.model_count; ++i) records += in.tally.model_records[i];
  return records;
}

void rule_name(Html& h, const RuleSet& r) {
  Element code(h, "code");
  text(h, r.from_model);
  raw(h, " &rarr; ");
  text(h, r.to_model);
}

void write_heading(Html& h, const ReportInput& in) {
  {
    Element header(h, "header");
    raw(h, "\n");
    {
      Element h1(h, "h1");
      text(h, "Conversion report: ");
      element(h, "code", nullptr, in.data_file);
    }
    raw(h, "\n");
    {
      Element p(h, "p");
      p.attr("class", "facts");
      integer(h, in.tally.lines);
      text(h, " lines, ");
      integer(h, record_count(in));
      text(h, " records; selection basis [");
      text(h, basis_name(in.basis));
      text(h, "]; previewed by rulecheck " PROGRAM_VERSION ", no file converted.");
    }
    raw(h, "\n");
    {
      Element p(h, "p");
      text(h, "Rule library, ");
      integer(h, in.table.rule_count);
      text(h, in.table.rule_count == 1 ? " pair:" : " pairs:");
      for (int i = 0; i < in.table.rule_count; ++i) {
        text(h, i ? ", " : " ");
        rule_name(h, in.table.rule_sets[i]);
      }
      text(h, ".");
    }
    raw(h, "\n");
  }
  raw(h, "\n");
  Element nav(h, "nav");
  auto link = [&](const char* href, const char* label, int n = -1) {
    Element a(h, "a");
    a.attr("href", href);
    text(h, label);
    if (n >= 0) integer(h, n);
  };
  link("#summary", "Summary");
  for (int i = 0; i < in.table.rule_count; ++i) {
    char href[32];
    std::snprintf(href, sizeof href, "#rule-%d", i);
    link(href, "Rule ", i);
  }
  link("#suspects", "Suspect values");
  link("#models", "Other models");
  link("#warnings", "Warnings");
}

void heading(Html& h, const char* id, const char* title) {
  Element h2(h, "h2");
  h2.attr("id", id);
  text(h, title);
}

void write_summary(Html& h, const ReportInput& in) {
  heading(h, "summary", "Summary");
  raw(h, "\n");
  SortableTable table(h, {">rule", "from", "to", ">found", ">converted", ">failed",
                          ">suspect values", ">replaced values", ">short records"});
  Element tbody(h, "tbody");
  raw(h, "\n");
  for (int i = 0; i < in.table.rule_count; ++i) {
    const RuleSet& r = in.table.rule_sets[i];
    const RuleCounts& c = in.rules.counts[i];
    {
      Element tr(h, "tr");
      cell_int(h, i);
      cell_text(h, r.from_model, true);
      cell_text(h, r.to_model, true);
      cell_int(h, c.found);
      cell_int(h, c.converted);
      cell_int(h, c.failed, true);
      cell_int(h, c.suspects);
      cell_int(h, c.replaced);
      cell_int(h, in.tally.short_records[i].count, true);
    }
    raw(h, "\n");
  }
}

// A rectangle of the histogram.
void bar_rect(Html& h, double x, double y, double width, double height, const char* fill) {
  Element rect(h, "rect");
  rect.attr("x", x, 1).attr("y", y, 1).attr("width", width, 1).attr("height", height, 1);
  rect.attr("fill", fill);
}

// The histogram of one output parameter: its bins as bars, the replaced values in the
// second colour, the band shaded; then every bin's count as text.
void write_histogram(Html& h, const ParameterStats& s, float low) {
  constexpr int kWidth = 180, kHeight = 46, kBase = 40;
  const Histogram& hist = s.histogram;
  const int first = hist.band ? 0 : 1;
  const int last = hist.band ? kHistogramBins + 1 : kHistogramBins;
  const int bars = last - first + 1;
  const double bar = static_cast<double>(kWidth) / bars;
  int highest = 0;
  for (int i = first; i <= last; ++i) highest = hist.counts[i] > highest ? hist.counts[i] : highest;
  {
    Element svg(h, "svg");
    svg.attr("width", kWidth).attr("height", kHeight);
    char box[48];
    std::snprintf(box, sizeof box, "0 0 %d %d", kWidth, kHeight);
    svg.attr("viewBox", box).attr("role", "img");
    svg.attr("aria-label", "histogram of the converted values");
    if (hist.band) {
      bar_rect(h, bar, 0, bar * kHistogramBins, kBase, kBandColour);
    } else if (hist.started && low >= hist.low && low < hist.low + kHistogramBins * hist.width) {
      // A band of one value (low equal to high) is a line.
      const double x = (low - hist.low) / hist.width * bar;
      Element line(h, "line");
      line.attr("x1", x, 1).attr("y1", 0).attr("x2", x, 1).attr("y2", kBase);
      line.attr("stroke", kBandLineColour).attr("stroke-dasharray", "3 2");
    }
    for (int i = first; i <= last && highest > 0; ++i) {
      const double x = (i - first) * bar + 0.5;
      const double all = static_cast<double>(hist.counts[i]) / highest * (kBase - 2);
      const double replaced = static_cast<double>(hist.replaced[i]) / highest * (kBase - 2);
      if (hist.counts[i] > 0) bar_rect(h, x, kBase - all, bar - 1, all, kBarColour);
      if (hist.replaced[i] > 0)
        bar_rect(h, x, kBase - replaced, bar - 1, replaced, kReplacedColour);
    }
    Element axis(h, "line");
    axis.attr("x1", 0).attr("y1", kBase + 0.5, 1).attr("x2", kWidth).attr("y2", kBase + 0.5, 1);
    axis.attr("stroke", kBandLineColour);
  }
  Element bins(h, "div");
  bins.attr("class", "bins");
  if (hist.band) {
    text(h, "below ");
    integer(h, hist.counts[0]);
    text(h, " | ");
  } else if (hist.started) {
    double from, to;
    bin_range(hist, 1, &from, &to);
    text(h, "from ");
    number(h, from);
    bin_range(hist, kHistogramBins, &from, &to);
    text(h, " to ");
    number(h, to);
    text(h, ": ");
  }
  for (int i = 1; i <= kHistogramBins; ++i) {
    if (i > 1) text(h, " ");
    integer(h, hist.counts[i]);
  }
  if (hist.band) {
    text(h, " | above ");
    integer(h, hist.counts[kHistogramBins + 1]);
  }
}

void write_legend(Html& h) {
  char threshold[kMaxFloatText + 1];
  put_shortest(threshold, kFailureThreshold);
  Element p(h, "p");
  p.attr("class", "legend");
  auto swatch = [&](const char* colour) {
    char style[48];
    std::snprintf(style, sizeof style, "background:%s", colour);
    Element span(h, "span");
    span.attr("class", "swatch").attr("style", style);
  };
  text(h, "Distribution of the converted values: the band from low to high limit ");
  swatch(kBandColour);
  text(h,
       " shaded, with a bin below and above it (where the limits give no band, the values' "
       "own range); replaced values ");
  swatch(kReplacedColour);
  text(h, " in the second colour. Min, mean and max leave out the values below ");
  text(h, threshold);
  text(h, ".");
}

void write_rule(Html& h, const ReportInput& in, int i) {
  const RuleSet& r = in.table.rule_sets[i];
  const RuleCounts& c = in.rules.counts[i];
  char id[32];
  std::snprintf(id, sizeof id, "rule-%d", i);
  Element section(h, "section");
  section.attr("id", id);
  raw(h, "\n");
  {
    Element h2(h, "h2");
    text(h, "Rule ");
    integer(h, i);
    text(h, ": ");
    rule_name(h, r);
  }
  raw(h, "\n");
  {
    Element p(h, "p");
    integer(h, c.found);
    text(h, " found, ");
    integer(h, c.converted);
    text(h, " converted, ");
    integer(h, c.failed);
    text(h, " failed.");
  }
  raw(h, "\n");
  if (r.output_count == 0) {
    element(h, "p", nullptr, "No output parameters.");
    raw(h, "\n");
    return;
  }
  write_legend(h);
  raw(h, "\n");
  char threshold[kMaxFloatText + 1];
  put_shortest(threshold, kFailureThreshold);
  char failed_head[kMaxFloatText + 8];
  std::snprintf(failed_head, sizeof failed_head, ">below %s", threshold);
  {
    SortableTable table(h, {"output", "assignment", ">low", ">high", ">values", ">min", ">mean",
                            ">max", ">suspect", ">replaced", failed_head, "distribution"});
    Element tbody(h, "tbody");
    raw(h, "\n");
    for (int k = 0; k < r.output_count; ++k) {
      const ParameterStats& s = in.tally.stats[i][k];
      {
        Element tr(h, "tr");
        cell_text(h, r.output_names[k], true);
        cell_text(h, r.expressions[k], true);
        cell_number(h, r.low_limits[k]);
        cell_number(h, r.high_limits[k]);
        cell_int(h, s.values);
        if (s.usable > 0) {
          cell_number(h, s.min);
          cell_number(h, s.sum / s.usable);
          cell_number(h, s.max);
        } else {
          for (int n = 0; n < 3; ++n) element(h, "td", "n", "-");
        }
        cell_int(h, s.suspect);
        cell_int(h, s.replaced);
        cell_int(h, s.failed, true);
        Element td(h, "td");
        write_histogram(h, s, r.low_limits[k]);
      }
      raw(h, "\n");
    }
  }
  raw(h, "\n");
}

void write_suspects(Html& h, const ReportInput& in) {
  heading(h, "suspects", "Suspect values");
  raw(h, "\n");
  const int shown =
      in.tally.suspect_total < kMaxSuspectRows ? in.tally.suspect_total : kMaxSuspectRows;
  if (shown == 0) {
    element(h, "p", nullptr, "None: every converted value passed its test.");
    raw(h, "\n");
    return;
  }
  {
    SortableTable table(h, {">line", ">bus", "ID", "model", "parameter", ">suspect", ">final",
                            "check", "replacement"});
    Element tbody(h, "tbody");
    raw(h, "\n");
    for (int n = 0; n < shown; ++n) {
      const SuspectRow& row = in.tally.rows[n];
      const RuleSet& r = in.table.rule_sets[row.rule];
      const bool replaced = row.mark == ValueMark::replaced;
      {
        Element tr(h, "tr");
        cell_int(h, row.line);
        cell_int(h, row.bus);
        cell_text(h, row.unit_id, true);
        cell_text(h, r.from_model, true);
        cell_text(h, r.output_names[row.output], true);
        cell_number(h, row.suspect);
        cell_number(h, row.final_value);
        cell_text(h, r.test_expressions[row.output], true);
        cell_text(h, replaced ? r.replace_expressions[row.output] : "(kept)", replaced);
      }
      raw(h, "\n");
    }
  }
  raw(h, "\n");
  if (in.tally.suspect_total > shown) {
    Element p(h, "p");
    text(h, "And ");
    integer(h, in.tally.suspect_total - shown);
    text(h, " more suspect values, in the log file of a conversion.");
  }
}

void write_models(Html& h, const ReportInput& in) {
  heading(h, "models", "Models no rule converts");
  raw(h, "\n");
  if (in.tally.model_count == 0) {
    element(h, "p", nullptr, "None.");
    raw(h, "\n");
    return;
  }
  int order[kMaxTalliedModels];
  models_by_count(in.tally, order);
  {
    SortableTable table(h, {"model", ">records"});
    Element tbody(h, "tbody");
    raw(h, "\n");
    for (int n = 0; n < in.tally.model_count; ++n) {
      {
        Element tr(h, "tr");
        cell_text(h, in.tally.models[order[n]], true);
        cell_int(h, in.tally.model_records[order[n]]);
      }
      raw(h, "\n");
    }
  }
  raw(h, "\n");
  if (in.tally.other_model_records > 0) {
    Element p(h, "p");
    text(h, "And ");
    integer(h, in.tally.other_model_records);
    text(h, " records of further models.");
  }
}

// One kind of warning of one rule: a row per line listed, one for the rest.
void warning_rows(Html& h, const ReportInput& in, int i, WarningKind kind) {
  const RuleSet& r = in.table.rule_sets[i];
  const Listed& listed = warnings_of(in.tally, kind, i);
  const int shown = listed.count < kMaxListed ? listed.count : kMaxListed;
  char description[256];
  for (int n = 0; n <= shown && n < listed.count; ++n) {
    {
      Element tr(h, "tr");
      if (n < shown) {
        describe_warning(kind, r, listed, n, description, sizeof description);
        cell_int(h, listed.lines[n]);
      } else {
        describe_rest(kind, r, listed.count - shown, description, sizeof description);
        Element td(h, "td");
      }
      cell_text(h, r.from_model, true);
      cell_text(h, description);
    }
    raw(h, "\n");
  }
}

void write_warnings(Html& h, const ReportInput& in) {
  heading(h, "warnings", "Warnings");
  raw(h, "\n");
  int count = 0;
  for (int i = 0; i < in.table.rule_count; ++i) {
    for (const WarningKind kind : kWarningKinds) count += warnings_of(in.tally, kind, i).count;
  }
  if (count == 0) {
    element(h, "p", nullptr, "None: every converted record gives the values its rule reads.");
    raw(h, "\n");
    return;
  }
  {
    SortableTable table(h, {">line", "model", "warning"});
    Element tbody(h, "tbody");
    raw(h, "\n");
    for (int i = 0; i < in.table.rule_count; ++i) {
      for (const WarningKind kind : kWarningKinds) warning_rows(h, in, i, kind);
    }
  }
  raw(h, "\n");
}

}  // namespace

void write_html_report(std::FILE* out, const ReportInput& in) {
  Html h{out};
  raw(h, "<!DOCTYPE html>\n");
  {
    Element html(h, "html");
    html.attr("lang", "en");
    raw(h, "\n");
    {
      Element head(h, "head");
      raw(h, "\n");
      Element(h, "meta").attr("charset", "utf-8");
      raw(h, "\n");
      Element(h, "meta")
          .attr("name", "viewport")
          .attr("content", "width=device-width, initial-scale=1");
      raw(h, "\n");
      {
        Element title(h, "title");
        text(h, "Conversion report: ");
        text(h, in.data_file);
      }
      raw(h, "\n");
      Element style(h, "style");
      raw(h, kStyle);
    }
    raw(h, "\n");
    {
      Element body(h, "body");
      raw(h, "\n");
      write_heading(h, in);
      raw(h, "\n");
      write_summary(h, in);
      raw(h, "\n");
      for (int i = 0; i < in.table.rule_count; ++i) write_rule(h, in, i);
      write_suspects(h, in);
      write_models(h, in);
      write_warnings(h, in);
      {
        Element script(h, "script");
        raw(h, kSortScript);
      }
      raw(h, "\n");
    }
    raw(h, "\n");
  }
  raw(h, "\n");
}
