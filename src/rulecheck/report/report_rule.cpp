// The part of the conversion report that tells one rule: its counts, the values its
// records hold but it does not read, a table of its output parameters with a histogram
// each, and a table of its converted units with every NEW value.
#include "rulecheck/report/report_rule.h"

#include <cstdio>
#include <cstring>

#include "convert/convert_record.h"
#include "models/catalogue.h"
#include "rulecheck/report/report_cells.h"
#include "text/format.h"

namespace {

constexpr const char* kBandColour = "#e3ebf6";
constexpr const char* kBarColour = "#4a6fa5";
constexpr const char* kOutsideColour = "#b45309";
constexpr const char* kReplacedColour = "#a3261b";
constexpr const char* kAxisColour = "#8a94a6";

// A count as a bar's label: "7", "1.2k", "35k", "1.2M".
void count_label(int count, char* out, std::size_t size) {
  if (count < 1000) {
    std::snprintf(out, size, "%d", count);
  } else if (count < 10000) {
    std::snprintf(out, size, "%d.%dk", count / 1000, count % 1000 / 100);
  } else if (count < 1000000) {
    std::snprintf(out, size, "%dk", count / 1000);
  } else {
    std::snprintf(out, size, "%d.%dM", count / 1000000, count % 1000000 / 100000);
  }
}

void svg_rect(Html& h, double x, double y, double width, double height, const char* fill) {
  Element rect(h, "rect");
  rect.attr("x", x, 1).attr("y", y, 1).attr("width", width, 1).attr("height", height, 1);
  rect.attr("fill", fill);
}

void svg_text(Html& h, double x, double y, const char* anchor, const char* content) {
  Element t(h, "text");
  t.attr("x", x, 1).attr("y", y, 1).attr("text-anchor", anchor);
  text(h, content);
}

void svg_value(Html& h, double x, double y, const char* anchor, double value) {
  char shown[kMaxFloatText + 1];
  put_shortest(shown, static_cast<float>(value));
  svg_text(h, x, y, anchor, shown);
}

// The histogram of one output parameter, 96 px high: a bar per bin with its count over
// it, the band of the rule's limits shaded with a bin below and above it in the colour
// of values outside, the replaced values in red, the band's edges (or the range's) under
// the axis.
void write_histogram(Html& h, const ParameterStats& s) {
  constexpr int kWidth = 330, kHeight = 96, kTop = 14, kBase = 70;
  const Histogram& hist = s.histogram;
  // Every value the same and no band to show it against: one bar, its value under it.
  const bool constant = !hist.band && s.usable > 0 && s.min == s.max && s.usable == s.values;
  const int first = hist.band ? 0 : 1;
  const int last = hist.band ? kHistogramBins + 1 : kHistogramBins;
  const double bar = static_cast<double>(kWidth) / (last - first + 1);
  int highest = 0;
  for (int i = first; i <= last; ++i) highest = hist.counts[i] > highest ? hist.counts[i] : highest;
  Element svg(h, "svg");
  char box[48];
  std::snprintf(box, sizeof box, "0 0 %d %d", kWidth, kHeight);
  svg.attr("width", kWidth).attr("height", kHeight).attr("viewBox", box).attr("role", "img");
  svg.attr("aria-label", "histogram of the converted values");
  if (hist.band) svg_rect(h, bar, 0, bar * kHistogramBins, kBase, kBandColour);
  if (constant) {
    const double x = (kWidth - bar) / 2.0 + 1;
    svg_rect(h, x, kTop, bar - 2, kBase - kTop, kBarColour);
    const double replaced = static_cast<double>(s.replaced) / s.values * (kBase - kTop);
    if (s.replaced > 0) svg_rect(h, x, kBase - replaced, bar - 2, replaced, kReplacedColour);
    char label[16];
    count_label(s.values, label, sizeof label);
    svg_text(h, kWidth / 2.0, kTop - 3, "middle", label);
  }
  for (int i = first; i <= last && highest > 0 && !constant; ++i) {
    if (hist.counts[i] == 0) continue;
    const double x = (i - first) * bar + 1;
    const double all = static_cast<double>(hist.counts[i]) / highest * (kBase - kTop);
    const double replaced = static_cast<double>(hist.replaced[i]) / highest * (kBase - kTop);
    const bool outside = hist.band && (i == 0 || i == kHistogramBins + 1);
    svg_rect(h, x, kBase - all, bar - 2, all, outside ? kOutsideColour : kBarColour);
    if (hist.replaced[i] > 0) svg_rect(h, x, kBase - replaced, bar - 2, replaced, kReplacedColour);
    char label[16];
    count_label(hist.counts[i], label, sizeof label);
    svg_text(h, x + (bar - 2) / 2, kBase - all - 3, "middle", label);
  }
  {
    Element axis(h, "line");
    axis.attr("x1", 0).attr("y1", kBase + 0.5, 1).attr("x2", kWidth).attr("y2", kBase + 0.5, 1);
    axis.attr("stroke", kAxisColour);
  }
  double from, to;
  if (hist.band) {
    svg_value(h, bar - 1, kBase + 12, "start", hist.low);
    bin_range(hist, kHistogramBins, &from, &to);
    svg_value(h, bar * (kHistogramBins + 1) + 1, kBase + 12, "end", to);
    svg_text(h, kWidth / 2.0, kBase + 24, "middle", "band: the rule's limits; below | above");
  } else if (constant) {
    svg_value(h, kWidth / 2.0, kBase + 12, "middle", s.min);
    svg_text(h, kWidth / 2.0, kBase + 24, "middle", "every value the same (no band)");
  } else if (hist.started) {
    bin_range(hist, 1, &from, &to);
    svg_value(h, 0, kBase + 12, "start", from);
    bin_range(hist, kHistogramBins, &from, &to);
    svg_value(h, kWidth, kBase + 12, "end", to);
    svg_text(h, kWidth / 2.0, kBase + 24, "middle", "the values' own range (no band)");
  }
}

void parameter_rows(Html& h, const ReportInput& in, int i);

void write_parameters(Html& h, const ReportInput& in, int i) {
  char threshold[kMaxFloatText + 1];
  put_shortest(threshold, kFailureThreshold);
  {
    Element p(h, "p");
    p.attr("class", "legend");
    text(h,
         "Output parameters. Each histogram counts the converted values: the shaded band "
         "runs from the rule's low to its high limit, the bins below and above it (in "
         "brown) hold the values outside the limits, red is the part replaced by the "
         "rule's replacement. The limits only start and describe the values: only the "
         "rule's test decides that a value is suspect. Min, mean and max leave out the "
         "values below ");
    text(h, threshold);
    text(h, ".");
  }
  raw(h, "\n");
  char failed_head[kMaxFloatText + 8];
  std::snprintf(failed_head, sizeof failed_head, ">below %s", threshold);
  sortable_table(h,
                 {"output", "assignment", ">low", ">high", ">values", ">min", ">mean", ">max",
                  ">outside", ">suspect", ">replaced", failed_head, "distribution"},
                 [&] { parameter_rows(h, in, i); });
}

void parameter_rows(Html& h, const ReportInput& in, int i) {
  const RuleSet& r = in.table.rule_sets[i];
  for (int k = 0; k < r.output_count; ++k) {
    const ParameterStats& s = in.kept.stats[i][k];
    {
      Element tr(h, "tr");
      cell_text(h, r.output_names[k], true);
      cell_text(h, r.expressions[k], true);
      cell_number(h, r.low_limits[k]);
      cell_number(h, r.high_limits[k]);
      cell_int(h, s.values);
      if (s.usable > 0) {
        cell_number(h, s.min);
        {
          Element mean(h, "td");
          mean.attr("class", "n");
          number(h, s.sum / s.usable, 5);
        }
        cell_number(h, s.max);
      } else {
        for (int n = 0; n < 3; ++n) element(h, "td", "n", "-");
      }
      cell_int(h, s.outside, true);
      cell_int(h, s.suspect, true);
      cell_int(h, s.replaced);
      cell_int(h, s.failed, true);
      Element td(h, "td");
      write_histogram(h, s);
    }
    raw(h, "\n");
  }
}

// Positions that the rule's records hold but its inputs do not take.
void write_not_read(Html& h, const ReportInput& in, int i) {
  const RuleSet& r = in.table.rule_sets[i];
  const int most = in.tally.most_values[i];
  if (most <= r.input_count) return;
  const ModelEntry* model = find_model(r.from_model);
  Element p(h, "p");
  p.attr("class", "bad");
  const int records = in.tally.unread_records[i];
  char line[160];
  if (most - r.input_count > 1) {
    std::snprintf(line, sizeof line, "Not read: %d record%s values %d to %d", records,
                  records == 1 ? " holds" : "s hold", r.input_count + 1, most);
  } else {
    std::snprintf(line, sizeof line, "Not read: %d record%s value %d", records,
                  records == 1 ? " holds" : "s hold", most);
  }
  text(h, line);
  if (model && model->names && r.input_count < model->count) {
    text(h, " (");
    for (int k = r.input_count; k < most && k < model->count; ++k) {
      if (k > r.input_count) text(h, ", ");
      element(h, "code", nullptr, model->names[k]);
    }
    text(h, " in ");
    text(h, model->name);
    text(h, "'s order)");
  }
  text(h, " that the rule does not read: they are not carried to the new record.");
}

// One NEW value of a unit: outside its limits, suspect with its test and what became of it.
void unit_value(Html& h, const RuleSet& r, const UnitRow& row, int k) {
  const float v = row.values[k];
  const ValueMark mark = row.marks[k];
  const bool outside = outside_limits(v, r.low_limits[k], r.high_limits[k]);
  Element td(h, "td");
  td.attr("class", mark != ValueMark::passed ? "n suspect" : outside ? "n outside" : "n");
  char why[3 * kExpressionSize + 2 * kMaxFloatText + 64] = "";
  if (mark != ValueMark::passed) {
    char was[kMaxFloatText + 1];
    put_shortest(was, row.suspect_values[k]);
    if (mark == ValueMark::replaced) {
      std::snprintf(why, sizeof why, "test %s failed on %s; replaced by %s", r.test_expressions[k],
                    was, r.replace_expressions[k]);
    } else {
      std::snprintf(why, sizeof why, "test %s failed; kept", r.test_expressions[k]);
    }
    td.attr("title", why);
  } else if (outside) {
    td.attr("title", "outside the rule's limits");
  }
  number(h, v);
  if (why[0]) element(h, "small", nullptr, why);
}

void unit_rows(Html& h, const RuleSet& r, const UnitList& list);

void write_units(Html& h, const ReportInput& in, int i) {
  const RuleSet& r = in.table.rule_sets[i];
  const UnitList& list = in.kept.units[i];
  element(h, "h3", nullptr, "Converted units");
  raw(h, "\n");
  {
    Element p(h, "p");
    p.attr("class", "legend");
    char line[256];
    std::snprintf(line, sizeof line,
                  "%d unit%s converted, %d with a value that is suspect (red, with its test) or "
                  "outside the rule's limits (brown). ",
                  list.total, list.total == 1 ? "" : "s", list.flagged);
    text(h, line);
    if (list.shown < list.total) {
      std::snprintf(line, sizeof line, "Listed: %d, those with such a value first. ", list.shown);
      text(h, line);
    }
    text(h, "Values as the converted file holds them, before its four decimals.");
  }
  raw(h, "\n");
  if (list.shown == 0) return;
  Element scroll(h, "div");
  scroll.attr("class", "scroll");
  // The listed units: those with a marked value first, each group in file order.
  const auto heads = [&] {
    for (const char* head : {">line", ">bus", "name", "ID"}) column_head(h, head);
    for (int k = 0; k < r.output_count; ++k) {
      Element th(h, "th");
      th.attr("class", "n");
      text(h, r.output_names[k]);
    }
  };
  sortable_table(h, "sortable units", heads, [&] { unit_rows(h, r, list); });
}

void unit_rows(Html& h, const RuleSet& r, const UnitList& list) {
  for (const bool flagged : {true, false}) {
    for (int n = 0; n < list.shown; ++n) {
      const UnitRow& row = list.rows[n];
      if (row.flagged != flagged) continue;
      {
        Element tr(h, "tr");
        cell_int(h, row.line);
        cell_int(h, row.bus);
        cell_text(h, row.bus_name);
        cell_text(h, row.unit_id, true);
        for (int k = 0; k < r.output_count; ++k) unit_value(h, r, row, k);
      }
      raw(h, "\n");
    }
  }
}

}  // namespace

bool rule_needs_a_look(const ReportInput& in, int i) {
  const RuleCounts& c = in.rules.counts[i];
  return c.failed > 0 || c.suspects > 0 || in.kept.units[i].flagged > 0 ||
         in.tally.short_records[i].count > 0 ||
         in.tally.most_values[i] > in.table.rule_sets[i].input_count;
}

void write_rule(Html& h, const ReportInput& in, int i) {
  const RuleSet& r = in.table.rule_sets[i];
  const RuleCounts& c = in.rules.counts[i];
  const RulePart part(h, "rule", i, r, "h2", rule_needs_a_look(in, i));
  {
    Element p(h, "p");
    char line[160];
    std::snprintf(line, sizeof line,
                  "%d found, %d converted, %d failed; %d suspect values, %d replaced.", c.found,
                  c.converted, c.failed, c.suspects, c.replaced);
    text(h, line);
  }
  raw(h, "\n");
  write_not_read(h, in, i);
  raw(h, "\n");
  if (r.output_count == 0) {
    element(h, "p", nullptr, "No output parameters.");
    raw(h, "\n");
    return;
  }
  write_parameters(h, in, i);
  raw(h, "\n");
  write_units(h, in, i);
  raw(h, "\n");
}
