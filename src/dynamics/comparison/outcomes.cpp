// How a comparison's outputs are decided.
#include "dynamics/comparison/outcomes.h"

#include <cmath>
#include <cstdio>

const char* outcome_name(Outcome outcome) {
  static constexpr const char* kNames[] = {"PASS",          "FAIL",
                                           "NO_START_OLD",  "NO_START_NEW",
                                           "NOT_SIMULATED", "NOT_REPRESENTABLE",
                                           "INVALID_DATA"};
  return kNames[static_cast<int>(outcome)];
}

void decide_all(Comparison& c, Outcome outcome, bool of_new, const char* reason) {
  for (int i = 0; i < c.count; ++i) {
    OutputComparison& o = c.outputs[i];
    o.outcome = outcome;
    o.of_new = of_new;
    o.deviation = 0.0;
    o.at = 0.0;
    set_reason(o.reason, reason);
  }
}

void decide_verdict(Comparison& c, const Verdict& verdict, bool of_new) {
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
  decide_all(c, outcome, of_new, reason);
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
