// How a comparison's outputs are decided: from a deviation against the tolerance, from
// a side that could not start or whose values no model can use, or all alike.
#pragma once
#include "dynamics/comparison/comparison.h"
#include "dynamics/comparison/metric.h"

// Every output of the comparison, or of one of its tests, gets the same outcome and
// reason.
void decide_all(Comparison& c, Outcome outcome, bool of_new, const char* reason);
void decide_run(Comparison& c, const TestRun& run, Outcome outcome, bool of_new,
                const char* reason);

// The outcome of a record whose values make no model, or make one that cannot start:
// NO_START, INVALID_DATA, NOT_REPRESENTABLE or NOT_SIMULATED of its side, for every
// output or for those of one test.
void decide_verdict(Comparison& c, const Verdict& verdict, bool of_new);
void decide_verdict(Comparison& c, const TestRun& run, const Verdict& verdict, bool of_new);

// PASS or FAIL of one output from its deviation; `step` is the time of one sample.
void decide_deviation(OutputComparison& o, const Deviation& d, double tolerance, double step);
