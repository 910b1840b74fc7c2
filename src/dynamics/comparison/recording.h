// What a time-domain test keeps as it runs: OLD at every step and every kSampleEvery-th
// step, NEW every kSampleEvery-th step and its deviation from OLD measured as it comes.
#pragma once
#include <cmath>
#include <cstdio>

#include "dynamics/comparison/comparison.h"
#include "dynamics/comparison/metric.h"
#include "dynamics/comparison/outcomes.h"
#include "dynamics/heun.h"

// The outputs of one sample of a test.
struct Sample {
  double v[kMaxComparedOutputs];
};
inline Sample sample_of(double y) { return Sample{{y}}; }
inline Sample sample_of(const Sample& y) { return y; }

// Keeps OLD's samples; knows whether every one of them is a finite number.
// The first sample of an output that is no finite number: where, and what.
struct NonFinite {
  int at = -1;  // -1: every sample is a finite number
  double value = 0.0;
  void see(int n, double v) {
    if (at < 0 && !std::isfinite(v)) {
      at = n;
      value = v;
    }
  }
};

// Keeps OLD's samples of one test's outputs (first .. first + outputs - 1 of the
// comparison's); knows whether every one of them is a finite number.
struct OldRecorder {
  Trajectories& t;
  int first;
  int outputs;
  NonFinite non_finite[kMaxComparedOutputs] = {};
  void operator()(int n, const Sample& y) {
    for (int k = 0; k < outputs; ++k) {
      t.old_full[first + k][n] = y.v[k];
      non_finite[k].see(n, y.v[k]);
      if (n % kSampleEvery == 0) t.old_values[first + k][n / kSampleEvery] = y.v[k];
    }
  }
};

// Measures NEW against OLD's samples as they come, every `every`-th step.
struct NewRecorder {
  Trajectories& t;
  int first;
  int outputs;
  int every;
  FullResponse* full;
  DeviationMeter meters[kMaxComparedOutputs] = {};
  NonFinite non_finite[kMaxComparedOutputs] = {};
  void operator()(int n, const Sample& y) {
    for (int k = 0; k < outputs; ++k) {
      const double* old = t.old_full[first + k];
      if (n % every == 0) meters[k].add(n, old[0], old[n], y.v[k]);
      non_finite[k].see(n, y.v[k]);
      if (n % kSampleEvery == 0) t.new_values[first + k][n / kSampleEvery] = y.v[k];
      if (full) full->new_values[first + k][n] = y.v[k];
    }
  }
};

// Decides output k of the test run from what both recorders kept; false, every output of
// the run decided INVALID_DATA of its side, when OLD's or NEW's response is not a finite
// number.
bool decide_recorded(Comparison& c, const TestRun& run, int k, const OldRecorder& old_side,
                     const NewRecorder& new_side, double tolerance);

// Runs one side of a time-domain test: `model` from its state x for `steps` steps, with
// `input(n)` the input of step n, every sample handed to `record` as a Sample.
template <class Model, class Input, class Record>
void run_side(const Model& model, double* x, int steps, Input input, Record& record) {
  run_heun(model, x, steps, input, [&record](int n, const auto& y) { record(n, sample_of(y)); });
}

// Runs the test's `steps` on OLD, then on NEW (`run(recorder, side)`, side 0 OLD and 1
// NEW), and decides each of its outputs in turn, stopping where a response is no number.
template <class Run>
void run_and_decide(Comparison& c, const TestRun& test_run, Trajectories& t, FullResponse* full,
                    int steps, const ComparisonOptions& options, Run run) {
  c.steps = t.steps = steps;
  OldRecorder old_side{t, test_run.first, test_run.count};
  NewRecorder new_side{t, test_run.first, test_run.count, test_run.test->compare_every, full};
  if (!options.reuse_old) run(old_side, 0);
  run(new_side, 1);
  for (int k = 0; k < test_run.count; ++k) {
    if (!decide_recorded(c, test_run, k, old_side, new_side, options.tolerance)) return;
  }
}

// The sequence every time-domain test runs on a pair of records. A test T gives:
//   T::kRun                   which of the comparison's tests it is (Comparison::run)
//   T::Side                   one side: its `model`, made by its family's make_model, and
//                             its state
//   T::after_make(sides, c)   mapping checks on both sides (and, for governors, P0)
//   T::representable(sides, verdict)  optional: false where NEW has no place for a part
//                             OLD uses
//   T::start(side, c, verdict)  false: the side cannot start
//   T::after_start(sides, c)  mapping checks that need both starts
//   T::at_rest(side, c)       every derivative 0 at the start
//   T::kWhat                  what a side is called ("exciter")
//   T::steps(sides, c)        how long the test runs
//   T::run(side, c, steps, t, recorder)   t: the trajectories, with room for a delay
//   T::after_run(sides, c)    optional: what the responses alone cannot tell (stability)
template <class Test>
void compare_time_domain(const RecordValues& old_record, const RecordValues& new_record,
                         const ComparisonOptions& options, Comparison& c, Trajectories& t,
                         FullResponse* full) {
  if (options.skip_runs >> Test::kRun & 1u) return;
  typename Test::Side sides[2];
  const RecordValues* records[2] = {&old_record, &new_record};
  const TestRun& run = c.run[Test::kRun];
  Verdict verdict{Problem::none, ""};
  for (int side = 0; side < 2; ++side) {
    if (!make_model(*records[side], sides[side].model, verdict, c.notes))
      return decide_verdict(c, run, verdict, side == 1);
  }
  Test::after_make(sides, *records[1], c);
  if constexpr (requires { Test::representable(sides, verdict); }) {
    if (!Test::representable(sides, verdict)) return decide_verdict(c, run, verdict, true);
  }
  for (int side = 0; side < 2; ++side) {
    if (!Test::start(sides[side], c, verdict)) return decide_verdict(c, run, verdict, side == 1);
  }
  Test::after_start(sides, c);
  if (!Test::at_rest(sides[0], c) || !Test::at_rest(sides[1], c)) {
    char reason[kReasonSize];
    std::snprintf(reason, sizeof reason, "the %s does not start at rest: a fault of the simulation",
                  Test::kWhat);
    return decide_run(c, run, Outcome::not_simulated, false, reason);
  }
  const int steps = Test::steps(sides, c);
  run_and_decide(c, run, t, full, steps, options,
                 [&](auto& recorder, int side) { Test::run(sides[side], c, steps, t, recorder); });
  if constexpr (requires { Test::after_run(sides, c); }) Test::after_run(sides, c);
}
