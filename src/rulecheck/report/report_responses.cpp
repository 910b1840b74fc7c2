// The report's "Responses" section: per rule the outcomes of the response check, the
// five worst records and the median one as plots of OLD and NEW (against time, or gain
// and phase against frequency), and the records that did not pass with their reasons.
#include "rulecheck/report/report_responses.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "rulecheck/report/report_cells.h"
#include "text/format.h"

namespace {

constexpr const char* kOldColour = "#1f4e79";
constexpr const char* kNewColour = "#d9822b";
constexpr const char* kGridColour = "#c9d1dc";

// A value rounded to 4 significant digits, in its shortest form: for axis labels.
void rounded(double v, char* out) {
  char text[48];
  std::snprintf(text, sizeof text, "%.4g", v);
  put_shortest(out, static_cast<float>(std::strtod(text, nullptr)));
}

void svg_label(Html& h, double x, double y, const char* anchor, const char* content) {
  Element t(h, "text");
  t.attr("x", x, 1).attr("y", y, 1).attr("text-anchor", anchor);
  text(h, content);
}

// A plot of OLD and NEW of one output against time: each column of pixels holds the
// smallest and largest value of its samples, so that no peak is lost.
struct Frame {
  double x0 = 44, x1 = 330, y0 = 12, y1 = 112;  // the plot's area in pixels
  double lo, hi;                                // the values it shows
};

void polyline(Html& h, const Frame& f, const PlotColumns& v, int steps, const char* colour,
              bool dashed) {
  char points[12000];
  char* p = points;
  const auto y_of = [&](double value) {
    return f.y1 - (value - f.lo) / (f.hi - f.lo) * (f.y1 - f.y0);
  };
  for (int c = 0; c < kPlotColumns && p < points + sizeof points - 64; ++c) {
    const int low = v.low_at[c];
    const int high = v.high_at[c];
    const bool low_first = low <= high;
    for (int k = 0; k < 2; ++k) {
      const bool take_low = (k == 0) == low_first;
      const int n = take_low ? low : high;
      const double x = f.x0 + (f.x1 - f.x0) * n / steps;
      p = put_fixed(p, x, 0, 1);
      *p++ = ',';
      p = put_fixed(p, y_of(take_low ? v.low[c] : v.high[c]), 0, 1);
      *p++ = ' ';
      if (low == high) break;
    }
  }
  if (p > points) --p;
  *p = '\0';
  Element line(h, "polyline");
  line.attr("points", points).attr("fill", "none").attr("stroke", colour);
  line.attr("stroke-width", dashed ? "1.6" : "1.2");
  if (dashed) line.attr("stroke-dasharray", "4 2");
}

void time_plot(Html& h, const OutputPlot& plot, int steps, const char* output) {
  Frame f;
  f.lo = plot.lo;
  f.hi = plot.hi;
  if (!(f.hi - f.lo > 1e-9)) {
    f.lo -= 0.5e-3;
    f.hi += 0.5e-3;
  }
  const double pad = (f.hi - f.lo) * 0.05;
  f.lo -= pad;
  f.hi += pad;
  Element svg(h, "svg");
  svg.attr("width", 340).attr("height", 132).attr("viewBox", "0 0 340 132").attr("role", "img");
  svg.attr("aria-label", "OLD and NEW response");
  {
    Element frame(h, "rect");
    frame.attr("x", f.x0, 1).attr("y", f.y0, 1).attr("width", f.x1 - f.x0, 1);
    frame.attr("height", f.y1 - f.y0, 1).attr("fill", "none").attr("stroke", kGridColour);
  }
  char label[64];
  rounded(f.hi, label);
  svg_label(h, f.x0 - 3, f.y0 + 8, "end", label);
  rounded(f.lo, label);
  svg_label(h, f.x0 - 3, f.y1, "end", label);
  svg_label(h, f.x0 - 3, (f.y0 + f.y1) / 2 + 3, "end", output);
  const double seconds = steps * kStep;
  svg_label(h, f.x0, f.y1 + 12, "start", "0 s");
  std::snprintf(label, sizeof label, "%g s", seconds);
  svg_label(h, f.x1, f.y1 + 12, "end", label);
  polyline(h, f, plot.old_side, steps, kOldColour, false);
  polyline(h, f, plot.new_side, steps, kNewColour, true);
}

// Gain and phase of OLD and NEW against frequency, on a logarithmic axis.
void bode_plot(Html& h, const RecordPlot& t, bool phase) {
  Frame f;
  const double* a = phase ? t.phase_old : t.gain_old;
  const double* b = phase ? t.phase_new : t.gain_new;
  f.lo = f.hi = a[0];
  for (int i = 0; i < kFrequencyCount; ++i) {
    for (const double v : {a[i], b[i]}) {
      if (std::isfinite(v)) {
        f.lo = std::min(f.lo, v);
        f.hi = std::max(f.hi, v);
      }
    }
  }
  if (!(f.hi - f.lo > 1e-9)) {
    f.lo -= 1;
    f.hi += 1;
  }
  Element svg(h, "svg");
  svg.attr("width", 340).attr("height", 132).attr("viewBox", "0 0 340 132").attr("role", "img");
  svg.attr("aria-label", phase ? "phase of OLD and NEW" : "gain of OLD and NEW");
  {
    Element frame(h, "rect");
    frame.attr("x", f.x0, 1).attr("y", f.y0, 1).attr("width", f.x1 - f.x0, 1);
    frame.attr("height", f.y1 - f.y0, 1).attr("fill", "none").attr("stroke", kGridColour);
  }
  const double l0 = std::log10(kStabilizerFrequencies[0]);
  const double l1 = std::log10(kStabilizerFrequencies[kFrequencyCount - 1]);
  const auto x_of = [&](double hz) {
    return f.x0 + (std::log10(hz) - l0) / (l1 - l0) * (f.x1 - f.x0);
  };
  const auto y_of = [&](double v) { return f.y1 - (v - f.lo) / (f.hi - f.lo) * (f.y1 - f.y0); };
  char label[64];
  rounded(f.hi, label);
  svg_label(h, f.x0 - 3, f.y0 + 8, "end", label);
  rounded(f.lo, label);
  svg_label(h, f.x0 - 3, f.y1, "end", label);
  svg_label(h, f.x0 - 3, (f.y0 + f.y1) / 2 + 3, "end", phase ? "deg" : "gain");
  svg_label(h, f.x0, f.y1 + 12, "start", "0.1 Hz");
  svg_label(h, f.x1, f.y1 + 12, "end", "3 Hz");
  for (const bool is_new : {false, true}) {
    const double* v = is_new ? b : a;
    char points[1024];
    char* p = points;
    for (int i = 0; i < kFrequencyCount; ++i) {
      if (!std::isfinite(v[i])) continue;
      p = put_fixed(p, x_of(kStabilizerFrequencies[i]), 0, 1);
      *p++ = ',';
      p = put_fixed(p, y_of(v[i]), 0, 1);
      *p++ = ' ';
    }
    if (p > points) --p;
    *p = '\0';
    Element line(h, "polyline");
    line.attr("points", points)
        .attr("fill", "none")
        .attr("stroke", is_new ? kNewColour : kOldColour);
    if (is_new) line.attr("stroke-dasharray", "4 2");
  }
}

void write_plot(Html& h, const RecordPlot& plot) {
  static constexpr const char* kTitles[] = {"worst",     "2nd worst", "3rd worst",
                                            "4th worst", "5th worst", "median"};
  const KeptRecord& k = *plot.record;
  const Comparison& c = plot.comparison;
  Element figure(h, "figure");
  {
    Element caption(h, "figcaption");
    char line[256];
    std::snprintf(line, sizeof line, "%s: line %d, bus %d \"%s\" unit \"%s\"",
                  kTitles[plot.title], k.at.line, k.at.bus, k.at.place.bus_name,
                  k.at.place.unit_id);
    text(h, line);
    for (int i = 0; i < c.count; ++i) {
      const OutputComparison& o = c.outputs[i];
      std::snprintf(line, sizeof line, "; %s %s", o.output, outcome_name(o.outcome));
      text(h, line);
      if (o.outcome == Outcome::pass || o.outcome == Outcome::fail) {
        text(h, " ");
        number(h, o.deviation, 3);
        text(h, std::strcmp(o.output, "phase") == 0 ? " deg" : "");
      }
    }
  }
  if (c.kind == SimulatedKind::stabilizer) {
    bode_plot(h, plot, false);
    bode_plot(h, plot, true);
    return;
  }
  for (int i = 0; i < c.count && plot.steps > 0; ++i)
    time_plot(h, plot.outputs[i], plot.steps, c.outputs[i].output);
}

void not_passed_rows(Html& h, const RuleResponses& rr) {
  const int shown = std::min(rr.not_passed_count, kNotPassedKept);
  for (int n = 0; n < shown; ++n) {
    const NotPassed& np = rr.not_passed[n];
    {
      Element tr(h, "tr");
      cell_int(h, np.line);
      cell_int(h, np.bus);
      cell_text(h, np.unit_id, true);
      cell_text(h, outcome_name(np.outcome), true);
      cell_text(h, np.outputs);
      cell_text(h, np.reason);
    }
    raw(h, "\n");
  }
}

void write_rule_responses(Html& h, const ReportInput& in, int i) {
  const ResponseRun& run = *in.responses;
  const RuleResponses& rr = run.rules[i];
  const RuleSet& r = in.table.rule_sets[i];
  const RulePart part(h, "responses", i, r, "h3",
                      rr.failed > 0 || rr.no_start > 0 || rr.other > 0);
  {
    Element p(h, "p");
    char line[256];
    std::snprintf(line, sizeof line,
                  "%d record%s: %d compared (%d pass, %d fail), %d do not start, %d not simulated, "
                  "%d other.",
                  rr.records, rr.records == 1 ? "" : "s", rr.compared, rr.passed, rr.failed,
                  rr.no_start, rr.not_simulated, rr.other);
    text(h, line);
  }
  raw(h, "\n");
  if (rr.from && simulated_kind(*rr.from) == SimulatedKind::generator) {
    element(h, "p", "legend",
            "The open-circuit test sees only the d axis (tpdo, tppdo, ld, lpd, lppd, ll, s1, "
            "s12). The q axis (tpqo, tppqo, lq, lpq, lppq), the inertia h, the damping d, the "
            "resistance ra, the compensation rcomp and xcomp, accel and kis are not exercised: "
            "the record-layout check is their only guard.");
    raw(h, "\n");
  }
  if (const RulePlots* plots = plots_of(run, i)) {
    Element div(h, "div");
    div.attr("class", "plots");
    for (int n = 0; n < plots->count; ++n) write_plot(h, plots->plots[n]);
  }
  raw(h, "\n");
  if (rr.not_passed_count > 0) {
    sortable_table(h, {">line", ">bus", "ID", "outcome", "outputs", "reason"},
                   [&] { not_passed_rows(h, rr); });
    raw(h, "\n");
    if (rr.not_passed_count > kNotPassedKept) {
      Element p(h, "p");
      char line[96];
      std::snprintf(line, sizeof line, "And %d more records that did not pass.",
                    rr.not_passed_count - kNotPassedKept);
      text(h, line);
    }
  }
}

}  // namespace

void write_responses(Html& h, const ReportInput& in) {
  const ResponseRun& run = *in.responses;
  {
    Element h2(h, "h2");
    h2.attr("id", "responses");
    text(h, "Responses");
  }
  raw(h, "\n");
  {
    Element p(h, "p");
    p.attr("class", "reading");
    char numerics[256];
    describe_numerics(numerics, sizeof numerics, run.options.tolerance * 100,
                      run.options.phase_tolerance);
    text(h, "The standard tests of the models the rules convert, ");
    text(h, numerics);
    text(h, ":");
  }
  raw(h, "\n");
  {
    Element ul(h, "ul");
    ul.attr("class", "tests");
    for (const StandardTest& test : kStandardTests) {
      if (!kind_in_use(run, test.kind)) continue;
      char line[512];
      describe_test(test, line, sizeof line);
      Element li(h, "li");
      text(h, line);
    }
  }
  raw(h, "\n");
  {
    Element p(h, "p");
    p.attr("class", "reading");
    text(h,
         "OLD is the record as read, NEW as the converted file would hold it. The "
         "deviation is the largest difference between NEW and OLD over the largest change "
         "of OLD from its start; for stabilizers, the largest gain error and phase error over "
         "the frequencies. In the plots OLD is the blue line, NEW the orange dashed one. The "
         "check sees one unit alone, open loop, without the network; deadbands and valve "
         "curves are not simulated.");
  }
  raw(h, "\n");
  element(h, "p", "reading",
          "Choices made where the models' sources leave them open, the same for OLD and NEW. "
          "None is confirmed for every program that reads the format: where one does not "
          "hold, a record that passes here can still differ there.");
  raw(h, "\n");
  {
    Element ul(h, "ul");
    ul.attr("class", "choices");
    for (int i = 0; i < kChoiceCount; ++i) {
      if (!kind_in_use(run, kChoices[i].kind)) continue;
      Element li(h, "li");
      text(h, kChoices[i].text);
    }
  }
  raw(h, "\n");
  rule_table(h, in.table,
             {">records", ">compared", ">pass", ">fail", ">no start", ">not simulated", ">other",
              "worst"},
             [&](int i) {
               const RuleResponses& rr = run.rules[i];
               cell_int(h, rr.records);
               cell_int(h, rr.compared);
               cell_int(h, rr.passed);
               cell_int(h, rr.failed, true);
               cell_int(h, rr.no_start, true);
               cell_int(h, rr.not_simulated);
               cell_int(h, rr.other, true);
               Element td(h, "td");
               if (rr.worst >= 0) {
                 char line[64];
                 std::snprintf(line, sizeof line, "%s ", rr.worst_output);
                 text(h, line);
                 number(h, rr.worst_deviation, 3);
                 std::snprintf(line, sizeof line, " (line %d)", rr.worst_line);
                 text(h, line);
               }
             });
  raw(h, "\n");
  // Rules whose records nothing checks: counted, and told, so that no one reads the
  // absence of a failure as a pass.
  for (int i = 0; i < in.table.rule_count; ++i) {
    const RuleResponses& rr = run.rules[i];
    if (rr.simulated || rr.not_simulated == 0) continue;
    Element p(h, "p");
    p.attr("class", "bad");
    text(h, "Rule ");
    integer(h, i);
    text(h, ": ");
    rule_name(h, in.table.rule_sets[i]);
    char line[160];
    std::snprintf(line, sizeof line, ": %d record%s not simulated: %s.", rr.not_simulated,
                  rr.not_simulated == 1 ? "" : "s", rr.not_simulated_why);
    text(h, line);
  }
  raw(h, "\n");
  for (int i = 0; i < in.table.rule_count; ++i) {
    if (run.rules[i].simulated && run.rules[i].records > 0) write_rule_responses(h, in, i);
  }
}
