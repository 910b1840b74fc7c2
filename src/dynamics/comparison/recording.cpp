// Deciding an output of a time-domain test from what its recorders kept.
#include "dynamics/comparison/recording.h"

#include <cstdio>

#include "dynamics/comparison/outcomes.h"

namespace {

// Every output INVALID_DATA of the side whose response met a value that is no number.
void decide_non_finite(Comparison& c, const TestRun& run, int k, const NonFinite& f, bool of_new) {
  char reason[kReasonSize];
  std::snprintf(reason, sizeof reason, "%s: its response is not a finite number (%s %g at %.3f s)",
                of_new ? "NEW" : "OLD", c.outputs[run.first + k].output, f.value, f.at * kStep);
  decide_run(c, run, Outcome::invalid_data, of_new, reason);
}

}  // namespace

bool decide_recorded(Comparison& c, const TestRun& run, int k, const OldRecorder& old_side,
                     const NewRecorder& new_side, double tolerance) {
  for (int side = 0; side < 2; ++side) {
    const NonFinite& f = side ? new_side.non_finite[k] : old_side.non_finite[k];
    if (f.at >= 0) {
      decide_non_finite(c, run, k, f, side == 1);
      return false;
    }
  }
  decide_deviation(c.outputs[run.first + k], new_side.meters[k].result(), tolerance, kStep);
  return true;
}
