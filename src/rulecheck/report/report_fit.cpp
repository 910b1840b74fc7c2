// The report's "Fit" section.
#include "rulecheck/report/report_fit.h"

#include <cstdio>

#include "rulecheck/report/report_cells.h"
#include "rulecheck/report/report_plots.h"

namespace {

void fit_plot(Html& h, const FitRun& run, const FitPlot& p) {
  const RuleSet& r = run.table->rule_sets[p.rule];
  const KeptFit& k = run.worst[p.rule];
  Element figure(h, "figure");
  {
    Element caption(h, "figcaption");
    char line[256];
    std::snprintf(line, sizeof line,
                  "rule %d, %s to %s, its worst fit: line %d, bus %d \"%s\" unit \"%s\"", p.rule,
                  r.from_model, r.to_model, k.at.line, k.at.bus, k.at.place.bus_name,
                  k.at.place.unit_id);
    text(h, line);
  }
  const Comparison& c = p.fitted.comparison;
  if (c.kind == SimulatedKind::stabilizer) {
    bode_plot(h, p.fitted, false);
    bode_plot(h, p.fitted, true);
    return;
  }
  for (int i = 0; i < c.count && p.fitted.steps > 0; ++i) {
    // The outputs the fit matched: a test that cannot judge the pair is left out.
    const Outcome o = c.outputs[i].outcome;
    if (!has_responses(o) || o == Outcome::not_judged) continue;
    char label[64];
    output_label(c, i, label, sizeof label);
    time_plot(h, p.fitted.outputs[i], p.fitted.steps, label, false, &p.rule_side[i]);
  }
}

void value_list(Html& h, const FitRun& run, const ListedFit& f) {
  const RuleSet& r = run.table->rule_sets[f.rule];
  const FitPlan& plan = run.fits->plans[f.rule];
  char values[kMaxFitOutputs * 48] = "";
  std::size_t used = 0;
  for (int j = 0; j < f.fit.outputs && used < sizeof values; ++j) {
    const int n =
        std::snprintf(values + used, sizeof values - used, "%s%s %g > %g", j ? ", " : "",
                      r.output_names[plan.lines[j].output], f.fit.before[j], f.fit.after[j]);
    if (n > 0) used += static_cast<std::size_t>(n);
  }
  cell_text(h, values, true);
}

}  // namespace

void write_fits(Html& h, const ReportInput& in, const FitRun& run) {
  {
    Element h2(h, "h2");
    h2.attr("id", "fit");
    text(h, "Fit");
  }
  raw(h, "\n");
  element(h, "p", "reading",
          "For every converted record of a rule with a fit file, the outputs it names were tuned "
          "within their bounds until NEW's responses under the tests that judge the pair matched "
          "OLD's (a bounded least-squares fit over every sample of every judged output, each "
          "normalised as its deviation is and weighed alike); the fitted file holds those values. "
          "The deviations are the largest of each record, before the fit (the rule's values) "
          "and after (the fitted values as written). In the plots OLD is the blue line, NEW as "
          "the rule converts it the grey dashed one, NEW fitted the orange dashed one.");
  raw(h, "\n");
  rule_table(
      h, in.table, {">fitted", ">improved", ">within tolerance", "worst before", "worst after"},
      [&](int i) {
        const RuleFits& f = run.rules[i];
        cell_int(h, f.fitted);
        cell_int(h, f.improved);
        cell_int(h, f.within);
        char line[96];
        if (f.fitted > 0) {
          std::snprintf(line, sizeof line, "%.3g (line %d)", f.worst_before, f.worst_before_line);
          cell_text(h, line);
          std::snprintf(line, sizeof line, "%.3g (line %d)", f.worst_after, f.worst_after_line);
          cell_text(h, line);
        } else {
          cell_text(h, "");
          cell_text(h, "");
        }
      });
  raw(h, "\n");
  if (run.plot_count > 0) {
    Element div(h, "div");
    div.attr("class", "plots");
    for (int n = 0; n < run.plot_count; ++n) fit_plot(h, run, run.plots[n]);
  }
  raw(h, "\n");
  const int shown = run.listed_count < kFitListed ? run.listed_count : kFitListed;
  if (shown == 0) return;
  sortable_table(h,
                 {">rule", ">line", ">bus", "ID", "output", ">before", ">after", ">comparisons",
                  "values, before > after"},
                 [&] {
                   for (int n = 0; n < shown; ++n) {
                     const ListedFit& f = run.listed[n];
                     {
                       Element tr(h, "tr");
                       cell_int(h, f.rule);
                       cell_int(h, f.at.line);
                       cell_int(h, f.at.bus);
                       cell_text(h, f.at.place.unit_id, true);
                       cell_text(h, f.fit.worst_label);
                       cell_number(h, f.fit.worst_before);
                       cell_number(h, f.fit.worst_after);
                       cell_int(h, f.fit.simulations);
                       value_list(h, run, f);
                     }
                     raw(h, "\n");
                   }
                 });
  raw(h, "\n");
  if (run.listed_count > kFitListed) {
    Element p(h, "p");
    char line[96];
    std::snprintf(line, sizeof line, "And %d more fitted records.", run.listed_count - kFitListed);
    text(h, line);
  }
}
