// The governors' two tests, each a run of its own on the same pair of records: the speed
// step on the unit alone and the isolated unit, whose load step closes the loop through
// one rotating mass.
#pragma once
#include "dynamics/comparison/comparison.h"
#include "dynamics/governors/governor.h"

// P0 for a test whose steady change of Pm is r.change: the test's standard load, lowered
// where the change would reach OLD's upper limit (see speed_step.cpp).
double choose_p0(const SteadyRange& r, double standard, const char* test, Notes& notes);

// The steps of a governor test on this pair: its window, the longer one for a hydro unit.
inline int governor_steps(const Governor& old_g, const Governor& new_g, const StandardTest& test) {
  const bool hydro = is_hydro(old_g) || is_hydro(new_g);
  return steps_of(hydro ? test.hydro_seconds : test.seconds);
}

// One side of either test: its governor and its state.
struct GovernorSide {
  Governor model;
};

void compare_speed_step(const RecordValues& old_record, const RecordValues& new_record,
                        const ComparisonOptions& options, Comparison& c, Trajectories& t,
                        FullResponse* full);
void compare_isolated_unit(const RecordValues& old_record, const RecordValues& new_record,
                           const ComparisonOptions& options, Comparison& c, Trajectories& t,
                           FullResponse* full);
