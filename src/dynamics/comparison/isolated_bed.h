// The isolated unit's bed: a governor driving one rotating mass against its load, the
// electrical power; the governors' closed-loop test runs it, and so can a test that lets
// it settle.
#pragma once
#include "dynamics/comparison/recording.h"
#include "dynamics/comparison/standard_tests.h"
#include "dynamics/governors/governor_io.h"

// The governor's states, then the speed deviation dw of the mass,
// 2H dw' = Pm - Pe - D dw. The input is the electrical power Pe, the load, which a
// governor that reads electrical power sees as it is. Power, not torque: Pm - Pe is not
// divided by the speed.
template <class Model>
struct IsolatedBed {
  static constexpr int kStates = Model::kStates + 1;
  static constexpr int kDw = Model::kStates;
  Model governor;
  double two_h;
  double d;
  static GovernorInput inputs(const double* x, double pe) { return GovernorInput{x[kDw], pe}; }
  void begin_step(int n, double* x, double pe) const {
    if constexpr (requires { governor.begin_step(n, x, GovernorInput{}); })
      governor.begin_step(n, x, inputs(x, pe));
  }
  void derivatives(const double* x, double pe, double* dx) const {
    const GovernorInput u = inputs(x, pe);
    governor.derivatives(x, u, dx);
    dx[kDw] = (governor.output(x, u) - pe - d * x[kDw]) / two_h;
  }
  void limit(double* x) const { governor.limit(x); }  // the speed has no limit
  Sample output(const double* x, double pe) const {
    return Sample{{governor.output(x, inputs(x, pe)), x[kDw]}};
  }
};

// The bed of a governor model under the test (its mass and load damping).
template <class Model>
IsolatedBed<Model> bed_of(const Model& m, const StandardTest& test) {
  return IsolatedBed<Model>{m, 2.0 * test.inertia, test.load_damping};
}
