// ieeeg1, the IEEE type 1 steam turbine-governor: speed lead-lag and gain, gate servo with
// rate and position limits, four turbine stages; the test's output is the sum of both
// shafts' power.
#pragma once
#include "dynamics/blocks.h"
#include "dynamics/extras.h"
#include "dynamics/governors/governor_io.h"

struct Ieeeg1 : GovernorDefaults {
  static constexpr const char* kModels[] = {"ieeeg1"};
  static constexpr int kStates = 6;  // lead-lag, gate, four stages
  double k, t1, t2, t3, uo, uc, pmax, pmin;
  double t[4];   // t4 t5 t6 t7
  double kh[4];  // k1 k3 k5 k7
  double kl[4];  // k2 k4 k6 k8
  double g0;
  LeadLag speed;    // (1 + s t2)/(1 + s t1) of -dw
  double servo;     // 1/t3, 0 for t3 = 0
  Lag stages[4];    // Lag(1, t4) ... Lag(1, t7)
  double share[4];  // k1 + k2, ... k7 + k8: both shafts
  int active;       // the stages up to the last one that gives power

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  // k1 + ... + k8: the gate's share of Pm.
  double gain_sum() const;
  SteadyRange steady_range(double step) const;
  bool start(double p, double* x, Verdict& verdict);

  // The gate position: the servo's state, or with t3 = 0 the clamp of its demand.
  double gate(const double* x, double dw) const {
    return t3 > 0 ? x[1] : clamp(g0 + k * speed.output(x[0], -dw), pmin, pmax);
  }
  void derivatives(const double* x, GovernorInput u, double* dx) const {
    dx[0] = speed.derivative(x[0], -u.dw);
    double g;
    if (t3 > 0) {
      g = x[1];
      const double ys = k * speed.output(x[0], -u.dw);
      dx[1] = rate_and_position((g0 + ys - g) * servo, g, uc, uo, pmin, pmax);
    } else {
      g = gate(x, u.dw);
      dx[1] = 0.0;
    }
    for (int i = 0; i < active; ++i) {
      dx[2 + i] = stages[i].derivative(x[2 + i], g);
      g = stages[i].output(x[2 + i], g);
    }
    for (int i = active; i < 4; ++i) dx[2 + i] = 0.0;
  }
  void limit(double* x) const {
    if (t3 > 0) x[1] = clamp(x[1], pmin, pmax);
  }
  double output(const double* x, GovernorInput u) const {
    double g = gate(x, u.dw);
    double pm = 0.0;
    for (int i = 0; i < active; ++i) {
      g = stages[i].output(x[2 + i], g);  // a stage of time constant 0 passes its input on
      pm += share[i] * g;
    }
    return pm;
  }
};
