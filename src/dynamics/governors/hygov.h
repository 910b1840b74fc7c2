// hygov, the hydro turbine-governor: PI governor with temporary droop, gate servo,
// nonlinear penstock and turbine. The velocity limit acts on the integral part of the
// governor (a choice: a real servo limits the gate's own rate).
#pragma once
#include <algorithm>

#include "dynamics/blocks.h"
#include "dynamics/extras.h"
#include "dynamics/governors/governor_io.h"

struct Hygov : GovernorDefaults {
  static constexpr const char* kModels[] = {"hygov"};
  static constexpr int kStates = 4;  // filter xf, integral xi, gate g, flow q
  // The gate below which the turbine flow equation is not evaluated.
  static constexpr double kClosedGate = 1e-6;
  double r, rr, tr, tf, tg, velm, gmax, gmin, tw, at, dturb, qnl;
  double nref;
  double filter, servo, water;  // 1/tf, 1/tg, 1/tw (0 for a time constant of 0)
  double proportional;          // 1/rr
  double integral;              // 1/(rr tr)

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool hydro() const { return true; }
  SteadyRange steady_range(double step) const {
    return {at * step / r, at * (gmax - qnl), at * std::max(0.0, gmin - qnl)};
  }
  Damping damping() const { return {"dturb", dturb}; }
  bool start(double p, double* x, Verdict& verdict);

  void derivatives(const double* x, GovernorInput u, double* dx) const {
    const double desired = x[0] * proportional + x[1];
    const double c = clamp(desired, gmin, gmax);
    const double e = nref - u.dw - r * c;
    dx[0] = (e - x[0]) * filter;
    double rise = clamp(x[0] * integral, -velm, velm);
    if ((desired >= gmax && rise > 0) || (desired <= gmin && rise < 0)) rise = 0.0;
    dx[1] = rise;
    dx[2] = (c - x[2]) * servo;
    const double gate = std::max(tg > 0 ? x[2] : c, kClosedGate);
    const double head = (x[3] / gate) * (x[3] / gate);
    dx[3] = (1.0 - head) * water;
  }
  double output(const double* x, GovernorInput u) const {
    const double c = clamp(x[0] * proportional + x[1], gmin, gmax);
    const double gate = std::max(tg > 0 ? x[2] : c, kClosedGate);
    const double flow = tw > 0 ? x[3] : gate;
    const double head = (flow / gate) * (flow / gate);
    return at * head * (flow - qnl) - dturb * u.dw * gate;
  }
};
