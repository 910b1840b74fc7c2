// Deciding an output of a time-domain test from what its recorders kept.
#include "dynamics/comparison/recording.h"

#include "dynamics/comparison/outcomes.h"

bool decide_recorded(Comparison& c, int k, const OldRecorder& old_side,
                     const NewRecorder& new_side, double tolerance) {
  if (!old_side.finite[k]) {
    decide_all(c, Outcome::invalid_data, false, "OLD: its response is not a finite number");
    return false;
  }
  decide_deviation(c.outputs[k], new_side.meters[k].result(), tolerance, kStep);
  return true;
}
