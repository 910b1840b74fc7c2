// hyg3, the hydro governor with a PID (cflag > 0) or a double-derivative governor
// (cflag < 0) on one turbine: droop on the gate demand (rgate) or on electrical power
// (relec), a gate servo with velocity and position limits, a gate curve, the nonlinear
// water column. No block diagram of it in text form was found: these equations are a
// reconstruction from its parameters' roles (a choice the guide lists).
#pragma once
#include <algorithm>
#include <cmath>

#include "dynamics/blocks.h"
#include "dynamics/extras.h"
#include "dynamics/governors/gate_curve.h"
#include "dynamics/governors/governor_io.h"

struct Hyg3 : GovernorDefaults {
  static constexpr const char* kModels[] = {"hyg3"};
  enum Slot { kXt, kXf, kXi, kXa, kXb, kXs, kGate, kFlow };
  static constexpr int kStates = 8;
  static constexpr double kClosedGate = 1e-6;
  double pmax, pmin, cflag, rgate, relec, td, tf, tp, velop, velcl, k1, k2, ki, kg, tt, tw, at,
      dturb, qnl, h0;
  double nref;
  GateCurve curve;
  Lag transducer;  // xt of Pe
  Lag filter;      // xf of the error
  double derivative_rate, servo_rate, water_rate;  // 1/tf, 1/tp, 1/tw (0 for 0)
  double head_root;                                // sqrt(h0)

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool hydro() const { return true; }
  SteadyRange steady_range(double step) const;
  Damping damping() const { return {"dturb", dturb}; }
  bool droop_through_pe() const { return relec != 0; }
  bool start(double p, double* x, Verdict& verdict);

  double pid() const { return cflag > 0; }
  // The error before its filter, for a gate demand cv.
  double error(const double* x, GovernorInput u, double cv) const {
    return nref - u.dw - relec * transducer.output(x[kXt], u.pe) - rgate * cv;
  }
  // The gate demand. A PID without its filter (td = 0) has its error in it: that loop is
  // linear and solved.
  double demand(const double* x, GovernorInput u) const {
    if (pid()) {
      const double d = tf > 0 ? k1 * derivative_rate : 0.0;
      if (td > 0) return x[kXf] + x[kXi] + d * (x[kXf] - x[kXa]);
      const double e0 = error(x, u, 0.0);
      return ((1.0 + d) * e0 + x[kXi] - d * x[kXa]) / (1.0 + rgate * (1.0 + d));
    }
    // The double derivative: with tf = 0 its first lag follows its input and the second
    // term is 0; with td = 0 too, that input is the error itself, a linear loop solved.
    if (tf > 0) return x[kXi] + k1 * x[kXa] + k2 * derivative_rate * (x[kXa] - x[kXb]);
    if (td > 0) return x[kXi] + k1 * x[kXf];
    return (x[kXi] + k1 * error(x, u, 0.0)) / (1.0 + k1 * rgate);
  }
  double filtered(const double* x, GovernorInput u, double cv) const {
    return filter.output(x[kXf], error(x, u, cv));
  }
  double effective_gate(const double* x) const { return std::max(curve.of(x[kGate]), kClosedGate); }
  void derivatives(const double* x, GovernorInput u, double* dx) const {
    dx[kXt] = transducer.derivative(x[kXt], u.pe);
    const double cv = demand(x, u);
    const double e = error(x, u, cv);
    dx[kXf] = filter.derivative(x[kXf], e);
    const double xf = filter.output(x[kXf], e);
    dx[kXi] = ki * xf;
    dx[kXa] = (xf - x[kXa]) * derivative_rate;
    dx[kXb] = pid() ? 0.0 : (x[kXa] - x[kXb]) * derivative_rate;
    const double push = kg * (cv - x[kGate]);
    const double velocity = tp > 0 ? x[kXs] : push;
    dx[kXs] = (push - x[kXs]) * servo_rate;
    dx[kGate] = rate_and_position(velocity, x[kGate], velcl, velop, pmin, pmax);
    const double g = effective_gate(x);
    const double head = (x[kFlow] / g) * (x[kFlow] / g);
    dx[kFlow] = (h0 - head) * water_rate;
  }
  void limit(double* x) const { x[kGate] = clamp(x[kGate], pmin, pmax); }
  double output(const double* x, GovernorInput u) const {
    const double g = effective_gate(x);
    const double flow = tw > 0 ? x[kFlow] : g * head_root;
    const double head = tw > 0 ? (flow / g) * (flow / g) : h0;
    return at * head * (flow - qnl) - dturb * u.dw * g;
  }
};
