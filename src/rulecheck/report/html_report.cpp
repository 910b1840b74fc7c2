// The conversion report: one self-contained HTML file of what a preview found, to be
// read in any browser, printed, or read as text.
#include "rulecheck/report/html_report.h"

#include <cstring>
#include <initializer_list>

#include "convert/convert_record.h"
#include "rulecheck/report/html_writer.h"
#include "rulecheck/report/report_cells.h"
#include "rulecheck/report/report_fit.h"
#include "rulecheck/report/report_responses.h"
#include "rulecheck/report/report_rule.h"
#include "text/format.h"

namespace {

constexpr const char* kStyle = R"(
body { font-family: system-ui, sans-serif; font-size: 14px; color: #1d2430; margin: 24px; }
h1 { font-size: 22px; margin: 0 0 6px; } h2 { font-size: 17px; margin: 0; display: inline; } summary h3 { display: inline; }
h3 { font-size: 15px; margin: 14px 0 4px; }
section > h2, body > h2 { display: block; margin: 26px 0 6px; }
details { margin: 18px 0 6px; } summary { cursor: pointer; margin-bottom: 6px; }
p { margin: 4px 0; } .facts { color: #4b5565; } .reading { max-width: 60em; }
ul.choices, ul.tests { margin: 2px 0 8px; padding-left: 22px; max-width: 60em; }
table { border-collapse: collapse; margin: 6px 0 10px; }
th, td { border-bottom: 1px solid #d7dce4; padding: 3px 7px; text-align: left;
  vertical-align: top; }
th { background: #eef1f5; font-weight: 600; }
table.sortable th { cursor: pointer; }
td.n, th.n { text-align: right; white-space: nowrap; font-variant-numeric: tabular-nums; }
code { font-family: ui-monospace, monospace; font-size: 12.5px; overflow-wrap: anywhere; }
td code { overflow-wrap: normal; }
.legend { color: #4b5565; font-size: 12.5px; max-width: 60em; }
.bad { color: #a3261b; font-weight: 600; }
td.outside { background: #fcecd8; color: #8a4106; font-weight: 600; }
td.suspect { background: #fbe4e2; color: #a3261b; font-weight: 600; }
td small { display: block; font-weight: 400; font-size: 11px; white-space: normal;
  min-width: 14em; text-align: left; }
.scroll { overflow-x: auto; max-width: 100%; }
.plots { display: flex; flex-wrap: wrap; gap: 8px 18px; }
figure { margin: 4px 0; } figcaption { font-size: 12px; color: #3d4656; max-width: 346px; }
svg { display: block; } svg text { font: 9px ui-monospace, monospace; fill: #3d4656; }
nav a { margin-right: 10px; }
@page { size: A4; margin: 12mm; }
@media print {
  body { margin: 0; font-size: 8pt; } nav { display: none; }
  tr, svg { break-inside: avoid; } thead { display: table-header-group; }
  th, td { padding: 2px 4px; } code { font-size: 7.5pt; }
  svg { width: 220px; height: 64px; }
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

}  // namespace

namespace {

int record_count(const ReportInput& in) {
  int records = in.tally.other_model_records;
  for (int i = 0; i < in.table.rule_count; ++i) records += in.rules.counts[i].found;
  for (int i = 0; i < in.tally.model_count; ++i) records += in.tally.model_records[i];
  return records;
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
  if (in.responses) link("#responses", "Responses");
  if (in.fits) link("#fit", "Fit");
  link("#suspects", "Suspect values");
  link("#models", "Other models");
  link("#warnings", "Warnings");
}

// How to read the report, before its tables.
void write_reading(Html& h) {
  element(h, "p", "reading",
          "How to read it: per rule, a histogram of each output parameter's converted values "
          "against a band from the rule's low to its high limit, and a table of the converted "
          "units with every value the new record gets. The limits only start and describe the "
          "values; only the rule's test decides that a value is suspect (marked red, with the "
          "test and what became of the value). A value outside its limits is marked brown: "
          "look at it, it is not wrong by that alone. Rules with failed, suspect or "
          "out-of-limit values, short records or values not read are open; click a rule's "
          "heading to fold it, a column's head to sort its table.");
}

void heading(Html& h, const char* id, const char* title) {
  Element h2(h, "h2");
  h2.attr("id", id);
  text(h, title);
}

void write_summary(Html& h, const ReportInput& in) {
  heading(h, "summary", "Summary");
  raw(h, "\n");
  rule_table(h, in.table,
             {">found", ">converted", ">failed", ">suspect values", ">replaced values",
              ">units with suspect values", ">units outside limits", ">short records",
              ">records not read whole"},
             [&](int i) {
               const RuleCounts& c = in.rules.counts[i];
               cell_int(h, c.found);
               cell_int(h, c.converted);
               cell_int(h, c.failed, true);
               cell_int(h, c.suspects, true);
               cell_int(h, c.replaced);
               cell_int(h, in.kept.units[i].suspect, true);
               cell_int(h, in.kept.units[i].outside, true);
               cell_int(h, in.tally.short_records[i].count, true);
               cell_int(h, in.tally.unread_records[i], true);
             });
}

void suspect_rows(Html& h, const ReportInput& in, int shown);

void write_suspects(Html& h, const ReportInput& in) {
  heading(h, "suspects", "Suspect values");
  raw(h, "\n");
  const int shown =
      in.kept.suspect_total < kMaxSuspectRows ? in.kept.suspect_total : kMaxSuspectRows;
  if (shown == 0) {
    element(h, "p", nullptr, "None: every converted value passed its test.");
    raw(h, "\n");
    return;
  }
  sortable_table(
      h,
      {">line", ">bus", "ID", "model", "parameter", ">suspect", ">final", "check", "replacement"},
      [&] { suspect_rows(h, in, shown); });
  raw(h, "\n");
  if (in.kept.suspect_total > shown) {
    Element p(h, "p");
    text(h, "And ");
    integer(h, in.kept.suspect_total - shown);
    text(h, " more suspect values, in the log file of a conversion.");
  }
}

void suspect_rows(Html& h, const ReportInput& in, int shown) {
  {
    for (int n = 0; n < shown; ++n) {
      const SuspectRow& row = in.kept.rows[n];
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
  sortable_table(h, {"model", ">records"}, [&] {
    for (int n = 0; n < in.tally.model_count; ++n) {
      {
        Element tr(h, "tr");
        cell_text(h, in.tally.models[order[n]], true);
        cell_int(h, in.tally.model_records[order[n]]);
      }
      raw(h, "\n");
    }
  });
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
  sortable_table(h, {">line", "model", "warning"}, [&] {
    for (int i = 0; i < in.table.rule_count; ++i) {
      for (const WarningKind kind : kWarningKinds) warning_rows(h, in, i, kind);
    }
  });
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
      write_reading(h);
      raw(h, "\n");
      write_summary(h, in);
      raw(h, "\n");
      for (int i = 0; i < in.table.rule_count; ++i) write_rule(h, in, i);
      if (in.responses) write_responses(h, in);
      if (in.fits) write_fits(h, in, *in.fits);
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
