// What a time-domain test keeps as it runs: OLD at every step and every kSampleEvery-th
// step, NEW every kSampleEvery-th step and its deviation from OLD measured as it comes.
#pragma once
#include <cmath>

#include "dynamics/comparison/comparison.h"
#include "dynamics/comparison/metric.h"
#include "dynamics/heun.h"

// The outputs of one sample of a test.
struct Sample {
  double v[kMaxComparedOutputs];
};
inline Sample sample_of(double y) { return Sample{{y, 0.0}}; }
inline Sample sample_of(const Sample& y) { return y; }

// Keeps OLD's samples; knows whether every one of them is a finite number.
struct OldRecorder {
  Trajectories& t;
  int outputs;
  bool finite[kMaxComparedOutputs] = {true, true};
  void operator()(int n, const Sample& y) {
    for (int k = 0; k < outputs; ++k) {
      t.old_full[k][n] = y.v[k];
      finite[k] = finite[k] && std::isfinite(y.v[k]);
      if (n % kSampleEvery == 0) t.old_values[k][n / kSampleEvery] = y.v[k];
    }
  }
};

// Measures NEW against OLD's samples as they come.
struct NewRecorder {
  Trajectories& t;
  int outputs;
  FullResponse* full;
  DeviationMeter meters[kMaxComparedOutputs] = {};
  void operator()(int n, const Sample& y) {
    for (int k = 0; k < outputs; ++k) {
      meters[k].add(n, t.old_full[k][0], t.old_full[k][n], y.v[k]);
      if (n % kSampleEvery == 0) t.new_values[k][n / kSampleEvery] = y.v[k];
      if (full) full->new_values[k][n] = y.v[k];
    }
  }
};

// Decides output k from what both recorders kept; false, every output decided
// INVALID_DATA, when OLD's response is not a finite number.
bool decide_recorded(Comparison& c, int k, const OldRecorder& old_side,
                     const NewRecorder& new_side, double tolerance);

// Runs one side of a time-domain test: `model` from its state x for `steps` steps, with
// `input(n)` the input of step n, every sample handed to `record` as a Sample.
template <class Model, class Input, class Record>
void run_side(const Model& model, double* x, int steps, Input input, Record& record) {
  run_heun(model, x, steps, input, [&record](int n, const auto& y) { record(n, sample_of(y)); });
}
