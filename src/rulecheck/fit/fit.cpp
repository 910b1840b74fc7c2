// The fit of a converted record: NEW's fitted outputs tuned by the bounded least-squares
// solver until its responses under the tests that judge the pair match OLD's.
#include "rulecheck/fit/fit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The record's two sides as the comparison reads them, and which of NEW's values move.
struct RecordFit {
  FitRun& run;
  RecordValues old_record;
  const ModelEntry* to;
  float values[kKeptValues];  // NEW's, the fitted ones replaced at each evaluation
  int given;
  const FitPlan& plan;
  ComparisonOptions options;
  bool judged[kMaxComparedOutputs];  // the outputs whose residuals count
  double weight[kMaxComparedOutputs];
  bool frequency;

  // Half the sum of squares it minimises: per judged output, its differences from OLD
  // over OLD's largest change (the deviation's own normalisation), over the output's
  // tolerance, over the root of its sample count, so that each output weighs the same.
  int operator()(const double* p, double* r) {
    for (int j = 0; j < plan.count; ++j) values[plan.lines[j].output] = static_cast<float>(p[j]);
    Comparison& c = run.comparison;
    Trajectories& t = run.trajectories;
    compare_records(old_record, RecordValues{to, values, given}, options, c, t);
    int m = 0;
    for (int k = 0; k < c.count; ++k) {
      if (!judged[k]) continue;
      if (!has_responses(c.outputs[k].outcome)) return -1;
      if (frequency) {
        if (m + kFrequencyCount > kFitResiduals) return -1;
        for (int f = 0; f < kFrequencyCount; ++f) {
          const double e = k == 0 ? t.gain_new[f] / t.gain_old[f] - 1.0
                                  : std::remainder(t.phase_new[f] - t.phase_old[f], 360.0);
          r[m++] = e * weight[k];
        }
        continue;
      }
      const int samples = t.steps / kSampleEvery + 1;
      if (m + samples > kFitResiduals) return -1;  // more than the room: never, by its size
      for (int n = 0; n < samples; ++n)
        r[m++] = (t.new_values[k][n] - t.old_values[k][n]) * weight[k];
    }
    for (int i = 0; i < m; ++i)
      if (!std::isfinite(r[i])) return -1;
    return m;
  }
};

// The largest deviation over the judged outputs, relative to each one's tolerance, and
// which output it is.
double worst_of(const Comparison& c, const bool* judged, const ComparisonOptions& o, int& at) {
  double worst = -1.0;
  at = 0;
  for (int k = 0; k < c.count; ++k) {
    if (!judged[k]) continue;
    const double tol =
        std::strcmp(c.outputs[k].output, "phase") == 0 ? o.phase_tolerance : o.tolerance;
    const double d = !has_deviation(c.outputs[k].outcome) || std::isnan(c.outputs[k].deviation)
                         ? INFINITY
                         : c.outputs[k].deviation / tol;
    if (d > worst) {
      worst = d;
      at = k;
    }
  }
  return worst < 0 ? 0.0 : worst;
}

// The notes of a record's fit, at its line, and its row in fit.csv.
void tell_fit(FitRun& run, const RecordAt& at, const RowPlace& place, const FitOfRecord& f) {
  const RuleSet& r = run.table->rule_sets[at.rule];
  const FitPlan& plan = run.fits->plans[at.rule];
  ResponseRun& responses = *run.responses;
  char text[sizeof(ResponseFinding::text)];
  const int head =
      std::snprintf(text, sizeof text, "[%s] -> [%s], bus %d unit \"%s\": ", r.from_model,
                    r.to_model, at.bus, place.place.unit_id);
  char* tail = text + head;
  const std::size_t room = sizeof text - static_cast<std::size_t>(head);
  for (int j = 0; j < f.outputs; ++j) {
    const char* name = r.output_names[plan.lines[j].output];
    if (f.unseen[j]) {
      std::snprintf(tail, room, "fitted [%s] is not seen by the test: kept at the rule's value",
                    name);
      add_response_finding(responses, at.line, Severity::note, text);
    } else if (f.at_bound[j] && !f.kept_rule) {
      std::snprintf(tail, room, "fitted [%s] stopped at its bound %g", name, f.after[j]);
      add_response_finding(responses, at.line, Severity::note, text);
    }
  }
  if (f.stop == FitStop::failed) {
    std::snprintf(tail, room,
                  "the fit cannot start: at its first values (the rule's, within the bounds) NEW "
                  "does not start or gives no numbers; the rule's values stand");
    add_response_finding(responses, at.line, Severity::note, text);
  } else if (f.kept_rule) {
    std::snprintf(tail, room, "the fitted values, as written, do no better: the rule's stand");
    add_response_finding(responses, at.line, Severity::note, text);
  } else if (f.stop == FitStop::capped) {
    std::snprintf(tail, room, "the fit used its %d comparisons: the best values found stand",
                  kFitSimulations);
    add_response_finding(responses, at.line, Severity::note, text);
  }
  if (f.deviation_after > 1.0) {
    std::snprintf(tail, room,
                  "the fit leaves %s at deviation %.3g, above the tolerance (%.3g "
                  "before)",
                  f.worst_label, f.worst_after, f.worst_before);
    add_response_finding(responses, at.line, Severity::warning, text);
  }
  char values[kMaxFitOutputs * 48] = "";
  std::size_t used = 0;
  for (int j = 0; j < f.outputs && used < sizeof values; ++j) {
    const int n = std::snprintf(values + used, sizeof values - used, "%s%s=%g>%g", j ? ";" : "",
                                r.output_names[plan.lines[j].output] + 1, f.before[j], f.after[j]);
    if (n > 0) used += static_cast<std::size_t>(n);
  }
  write_fit_row(responses.files, place, r, f.worst_label, f.worst_before, f.worst_after,
                f.iterations, f.simulations, values);
}

}  // namespace

void start_fits(FitRun& run, const RuleTable& table, const FitLibrary& fits,
                ResponseRun& responses) {
  run.table = &table;
  run.fits = &fits;
  run.responses = &responses;
  std::memset(run.rules, 0, sizeof run.rules);
  run.in_hand = FitOfRecord{};
  run.listed_count = 0;
  run.plot_count = 0;
  for (KeptFit& k : run.worst) k.kept = false;
  responses.rule_values = run.rule_values;
}

void FitRun::tune(const RecordAt& at, const char*, const ParsedRecord& parsed,
                  ConversionResult& conversion) {
  in_hand = FitOfRecord{};
  in_hand.line = at.line;
  const FitPlan& plan = fits->plans[at.rule];
  const RuleResponses& rr = responses->rules[at.rule];
  if (!plan.present || plan.count == 0 || !rr.simulated) return;
  const RuleSet& r = table->rule_sets[at.rule];
  const ResponseOptions& ro = responses->options;
  const int old_given = std::min({parsed.values_given, rr.from->count, kKeptValues});
  RecordFit problem{*this,
                    RecordValues{rr.from, parsed.values.values, old_given},
                    rr.to,
                    {},
                    std::min({static_cast<int>(r.output_count), rr.to->count, kKeptValues}),
                    plan,
                    ComparisonOptions{ro.tolerance, ro.phase_tolerance},
                    {},
                    {},
                    false};
  for (int k = 0; k < problem.given; ++k) problem.values[k] = as_written(conversion.outputs[k]);

  // NEW as the rule converts it: what the fit starts from and what it must better.
  compare_records(problem.old_record, RecordValues{rr.to, problem.values, problem.given},
                  problem.options, comparison, trajectories);
  const Comparison& before = comparison;
  problem.frequency = before.kind == SimulatedKind::stabilizer;
  unsigned skip = 0;
  int judged = 0;
  for (int run_index = 0; run_index < before.runs; ++run_index) {
    const TestRun& tr = before.run[run_index];
    bool any = false;
    for (int k = tr.first; k < tr.first + tr.count; ++k) {
      const Outcome o = before.outputs[k].outcome;
      problem.judged[k] = has_responses(o) && o != Outcome::not_judged;
      any = any || problem.judged[k];
    }
    if (!any) skip |= 1u << run_index;
    judged += any;
  }
  if (judged == 0) return;  // nothing to fit to: the check tells why
  for (int k = 0; k < before.count; ++k) {
    if (!problem.judged[k]) continue;
    const bool phase = std::strcmp(before.outputs[k].output, "phase") == 0;
    const double tol = phase ? ro.phase_tolerance : ro.tolerance;
    if (problem.frequency) {
      problem.weight[k] = 1.0 / (tol * std::sqrt(double{kFrequencyCount}));
      continue;
    }
    const int samples = trajectories.steps / kSampleEvery + 1;
    double excursion = 0.0;
    for (int n = 0; n < samples; ++n)
      excursion = std::max(
          excursion, std::fabs(trajectories.old_values[k][n] - trajectories.old_values[k][0]));
    if (excursion < 1e-6) excursion = 1.0;  // the deviation is then the difference itself
    problem.weight[k] = 1.0 / (excursion * tol * std::sqrt(double(samples)));
  }
  for (int k = 0; k < before.count; ++k)
    std::copy(trajectories.new_values[k], trajectories.new_values[k] + kMaxSamples, rule_values[k]);
  int worst_before = 0;
  in_hand.deviation_before = worst_of(before, problem.judged, problem.options, worst_before);
  double deviations_before[kMaxComparedOutputs];
  for (int k = 0; k < before.count; ++k) deviations_before[k] = before.outputs[k].deviation;

  // The fit, OLD's responses kept from the comparison above, the tests that do not judge
  // the pair left out.
  double p0[kMaxFitted], lo[kMaxFitted], hi[kMaxFitted];
  in_hand.outputs = plan.count;
  for (int j = 0; j < plan.count; ++j) {
    const FitLine& f = plan.lines[j];
    in_hand.before[j] = problem.values[f.output];
    p0[j] = problem.values[f.output];
    lo[j] = f.low;
    hi[j] = f.high;
  }
  problem.options.skip_runs = skip;
  problem.options.reuse_old = true;
  const FitWork work{residuals, trial, columns, kFitResiduals};
  // Enough: a root-mean-square difference of 1e-5 of the tolerance on every output, below
  // what the written values resolve.
  int judged_outputs = 0;
  for (int k = 0; k < before.count; ++k) judged_outputs += problem.judged[k];
  const double enough = 0.5 * judged_outputs * 1e-10;
  const FitResult result =
      fit_bounded(problem, plan.count, p0, lo, hi, kFitSimulations, work, enough);
  in_hand.fitted = true;
  responses->fitted_line = at.line;
  in_hand.iterations = result.iterations;
  in_hand.simulations = result.evaluations + 2;  // with the comparisons before and after
  in_hand.stop = result.stop;

  // NEW as the fitted record will be written, compared in full.
  for (int j = 0; j < plan.count; ++j) {
    in_hand.after[j] = as_written(static_cast<float>(result.p[j]));
    in_hand.unseen[j] = result.unseen[j];
    in_hand.at_bound[j] = result.at_bound[j];
    problem.values[plan.lines[j].output] = in_hand.after[j];
  }
  compare_records(problem.old_record, RecordValues{rr.to, problem.values, problem.given},
                  ComparisonOptions{ro.tolerance, ro.phase_tolerance}, comparison, trajectories);
  in_hand.deviation_after = worst_of(comparison, problem.judged, problem.options, in_hand.worst);
  const bool keep =
      result.stop != FitStop::failed && in_hand.deviation_after <= in_hand.deviation_before;
  if (keep)  // the check of the fitted record compares these values again: it finds them
    remember_comparison(*responses, at.rule, parsed.values.values, old_given, problem.values,
                        problem.given, comparison);
  if (!keep) {
    in_hand.kept_rule = true;
    for (int j = 0; j < plan.count; ++j) in_hand.after[j] = in_hand.before[j];
    in_hand.deviation_after = in_hand.deviation_before;
    in_hand.worst = worst_before;
  }
  // The record's worst output after the fit, its deviation before and after.
  in_hand.worst_before = deviations_before[in_hand.worst];
  in_hand.worst_after =
      in_hand.kept_rule ? in_hand.worst_before : comparison.outputs[in_hand.worst].deviation;
  in_hand.worst_label[0] = '\0';
  output_label(comparison, in_hand.worst, in_hand.worst_label, sizeof in_hand.worst_label);
  for (int j = 0; j < plan.count; ++j) conversion.outputs[plan.lines[j].output] = in_hand.after[j];

  RuleFits& rf = rules[at.rule];
  ++rf.fitted;
  if (in_hand.deviation_after < in_hand.deviation_before) ++rf.improved;
  if (in_hand.deviation_after <= 1.0) ++rf.within;
  if (rf.fitted == 1 || in_hand.worst_before > rf.worst_before) {
    rf.worst_before = in_hand.worst_before;
    rf.worst_before_line = at.line;
  }
  if (rf.fitted == 1 || in_hand.worst_after > rf.worst_after) {
    rf.worst_after = in_hand.worst_after;
    rf.worst_after_line = at.line;
  }
  const RowPlace place{at.line, at.bus, conversion.place};
  tell_fit(*this, at, place, in_hand);
  KeptFit& k = worst[at.rule];
  if (!k.kept || in_hand.deviation_after > k.deviation) {
    k.kept = true;
    k.at = place;
    k.deviation = in_hand.deviation_after;
    std::memset(k.old_values, 0, sizeof k.old_values);
    std::memcpy(k.old_values, parsed.values.values, sizeof(float) * std::size_t(old_given));
    k.old_given = old_given;
    std::memcpy(k.fitted_values, problem.values, sizeof k.fitted_values);
    std::memcpy(k.rule_values, problem.values, sizeof k.rule_values);
    for (int j = 0; j < plan.count; ++j) k.rule_values[plan.lines[j].output] = in_hand.before[j];
    k.new_given = problem.given;
  }
  if (listed_count < kFitListed) listed[listed_count] = ListedFit{at.rule, place, in_hand};
  ++listed_count;
}

void finish_fits(const FitRun& run, std::FILE* out) {
  bool first = true;
  for (int i = 0; i < run.table->rule_count; ++i) {
    if (!run.fits->plans[i].present) continue;
    const RuleSet& r = run.table->rule_sets[i];
    const RuleFits& f = run.rules[i];
    if (first) std::fprintf(out, "Fits, the values of lib/FROM-TO.fit tuned per record:\n");
    first = false;
    std::fprintf(out, "%2d [%-16.16s] [%-16.16s] fitted %5d   improved %5d   within tolerance %5d",
                 i, r.from_model, r.to_model, f.fitted, f.improved, f.within);
    if (f.fitted > 0)
      std::fprintf(out, "   worst before %.3g (line %d) after %.3g (line %d)", f.worst_before,
                   f.worst_before_line, f.worst_after, f.worst_after_line);
    std::fputc('\n', out);
  }
}

void make_fit_plots(FitRun& run) {
  run.plot_count = 0;
  const ResponseOptions& ro = run.responses->options;
  const ComparisonOptions options{ro.tolerance, ro.phase_tolerance};
  for (int i = 0; i < run.table->rule_count && run.plot_count < kFitPlotted; ++i) {
    const KeptFit& k = run.worst[i];
    if (!k.kept) continue;
    const RuleResponses& rr = run.responses->rules[i];
    FitPlot& p = run.plots[run.plot_count++];
    p.rule = i;
    const RecordValues old_record{rr.from, k.old_values, k.old_given};
    compare_records(old_record, RecordValues{rr.to, k.rule_values, k.new_given}, options,
                    run.comparison, run.trajectories, &run.full);
    const int steps = run.comparison.kind == SimulatedKind::stabilizer ? 0 : run.trajectories.steps;
    for (int o = 0; o < run.comparison.count && steps > 0; ++o)
      plot_columns(p.rule_side[o], run.full.new_values[o], steps);
    compare_records(old_record, RecordValues{rr.to, k.fitted_values, k.new_given}, options,
                    run.comparison, run.trajectories, &run.full);
    make_plot(p.fitted, run.comparison, run.trajectories, run.full);
    p.fitted.record = nullptr;
  }
}
