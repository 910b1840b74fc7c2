// The fixed-step Heun integrator: each step's input held at its value at the step's
// start, the predictor and the corrector each followed by the model's limits.
#pragma once
#include "dynamics/blocks.h"

// A model M offers: kStates; derivatives(x, u, dx); limit(x) (its non-windup limits);
// output(x, u). `input(n)` gives the input of step n (the value at t = n h), and
// `sample(n, y)` receives the output at every sample 0..steps. A model that holds a value
// over each step (a one-sample memory, a delay line) also offers begin_step(n, x, u),
// called at the step's start, before its sample: it writes the held values into slots of
// x whose derivatives are 0.
template <class M, class Input, class Sample>
void run_heun(const M& model, double* x, int steps, Input input, Sample sample) {
  constexpr int kN = M::kStates;
  double k1[kN];
  double k2[kN];
  double xs[kN];
  for (int n = 0;; ++n) {
    const auto u = input(n);
    if constexpr (requires { model.begin_step(n, x, u); }) model.begin_step(n, x, u);
    sample(n, model.output(x, u));
    if (n == steps) break;
    model.derivatives(x, u, k1);
    for (int i = 0; i < kN; ++i) xs[i] = x[i] + kStep * k1[i];
    model.limit(xs);
    model.derivatives(xs, u, k2);
    for (int i = 0; i < kN; ++i) x[i] += 0.5 * kStep * (k1[i] + k2[i]);
    model.limit(x);
  }
}

// True when every derivative at the initial state and input is below `tolerance`: a
// model that starts anywhere else was initialised wrongly.
template <class M, class U>
bool at_steady_state(const M& model, const double* x, U u, double tolerance = 1e-9) {
  double dx[M::kStates];
  model.derivatives(x, u, dx);
  for (int i = 0; i < M::kStates; ++i) {
    if (!(dx[i] < tolerance && dx[i] > -tolerance)) return false;
  }
  return true;
}
