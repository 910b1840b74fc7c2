// How a comparison's outputs are decided.
#include "dynamics/comparison/outcomes.h"

#include <cmath>
#include <cstdio>
#include <cstring>

const char* outcome_name(Outcome outcome) {
  static constexpr const char* kNames[] = {"PASS",         "FAIL",          "NO_START_OLD",
                                           "NO_START_NEW", "NOT_SIMULATED", "NOT_REPRESENTABLE",
                                           "INVALID_DATA", "NOT_JUDGED",    "UNSTABLE_OLD",
                                           "UNSTABLE_NEW"};
  return kNames[static_cast<int>(outcome)];
}

void decide_all(Comparison& c, Outcome outcome, bool of_new, const char* reason) {
  decide_run(c, TestRun{c.test, 0, c.count, 0.0}, outcome, of_new, reason);
}

void decide_run(Comparison& c, const TestRun& run, Outcome outcome, bool of_new,
                const char* reason) {
  for (int i = run.first; i < run.first + run.count && i < c.count; ++i) {
    OutputComparison& o = c.outputs[i];
    o.outcome = outcome;
    o.of_new = of_new;
    o.deviation = 0.0;
    o.at = 0.0;
    set_reason(o.reason, reason);
  }
}

void decide_verdict(Comparison& c, const Verdict& verdict, bool of_new) {
  decide_verdict(c, TestRun{c.test, 0, c.count, 0.0}, verdict, of_new);
}

void decide_verdict(Comparison& c, const TestRun& run, const Verdict& verdict, bool of_new) {
  Outcome outcome = Outcome::not_simulated;
  switch (verdict.problem) {
    case Problem::no_start:
      outcome = of_new ? Outcome::no_start_new : Outcome::no_start_old;
      break;
    case Problem::invalid_data:
      outcome = Outcome::invalid_data;
      break;
    case Problem::not_representable:
      outcome = Outcome::not_representable;
      break;
    case Problem::not_simulated:
    case Problem::none:
      break;
  }
  char reason[kReasonSize + 8];
  std::snprintf(reason, sizeof reason, "%s: %s", of_new ? "NEW" : "OLD", verdict.reason);
  reason[kReasonSize - 1] = '\0';
  decide_run(c, run, outcome, of_new, reason);
}

void decide_deviation(OutputComparison& o, const Deviation& d, double tolerance, double step) {
  o.deviation = d.value;
  o.at = d.sample * step;
  if (std::isnan(d.value)) {
    o.outcome = Outcome::fail;
    o.of_new = true;
    std::snprintf(o.reason, sizeof o.reason, "the response is not a finite number");
  } else if (d.value <= tolerance) {
    o.outcome = Outcome::pass;
    o.reason[0] = '\0';
  } else {
    o.outcome = Outcome::fail;
    std::snprintf(o.reason, sizeof o.reason, "%s %.3g%s at %.3f s, above the tolerance %.3g",
                  d.absolute ? "difference" : "deviation", d.value, d.absolute ? " pu" : "", o.at,
                  tolerance);
  }
}

void output_label(const Comparison& c, int output, char* out, std::size_t size) {
  const OutputComparison& o = c.outputs[output];
  if (c.runs > 1 && o.test)
    std::snprintf(out, size, "%s %s", o.test->what, o.output);
  else
    std::snprintf(out, size, "%s", o.output);
}
