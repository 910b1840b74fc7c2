// The report's "Responses" section: per rule the outcomes of the response check, the
// five worst records and the median one as plots of OLD and NEW (against time, or gain
// and phase against frequency), and the records that did not pass with their reasons.
#include "rulecheck/report/report_responses.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "rulecheck/report/report_cells.h"
#include "rulecheck/report/report_plots.h"
#include "text/format.h"

namespace {

void write_plot(Html& h, const RecordPlot& plot) {
  static constexpr const char* kTitles[] = {"worst",     "2nd worst", "3rd worst",
                                            "4th worst", "5th worst", "median"};
  const KeptRecord& k = *plot.record;
  const Comparison& c = plot.comparison;
  Element figure(h, "figure");
  {
    Element caption(h, "figcaption");
    char line[256];
    std::snprintf(line, sizeof line, "%s: line %d, bus %d \"%s\" unit \"%s\"", kTitles[plot.title],
                  k.at.line, k.at.bus, k.at.place.bus_name, k.at.place.unit_id);
    text(h, line);
    for (int i = 0; i < c.count; ++i) {
      const OutputComparison& o = c.outputs[i];
      char label[64];
      output_label(c, i, label, sizeof label);
      std::snprintf(line, sizeof line, "; %s %s", label, outcome_name(o.outcome));
      text(h, line);
      if (has_deviation(o.outcome)) {
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
  // NEW - OLD under every plot of a record that did not pass.
  bool passed = true;
  for (int i = 0; i < c.count; ++i)
    passed = passed &&
             (c.outputs[i].outcome == Outcome::pass || c.outputs[i].outcome == Outcome::not_judged);
  for (int i = 0; i < c.count && plot.steps > 0; ++i) {
    if (!has_responses(c.outputs[i].outcome)) continue;
    char label[64];
    output_label(c, i, label, sizeof label);
    time_plot(h, plot.outputs[i], plot.steps, label, !passed);
  }
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
  const RulePart part(h, "responses", i, r, "h3", rr.failed > 0 || rr.no_start > 0 || rr.other > 0);
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
         "the frequencies. In the plots OLD is the blue line, NEW the orange dashed one, and for "
         "a record that did not pass NEW - OLD is drawn in red on an axis of its own below "
         "them. The "
         "check sees one unit alone, without the network: a governor open loop under the "
         "speed step, and closed through the test's own mass on the isolated unit, whose "
         "speed step cannot judge a droop through electrical power (NOT_JUDGED) and whose "
         "unit may be unstable alone (UNSTABLE_OLD, UNSTABLE_NEW: the growing mode of the "
         "unit linearised at rest); deadbands and valve curves are not simulated.");
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
      if (!choice_in_use(run, kChoices[i])) continue;
      Element li(h, "li");
      text(h, kChoices[i].text);
    }
  }
  raw(h, "\n");
  rule_table(
      h, in.table,
      {">records", ">compared", ">pass", ">fail", ">no start", ">not simulated", ">other", "worst"},
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
