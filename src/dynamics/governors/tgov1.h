// tgov1, the steam turbine-governor: droop, valve lag with non-windup limits, reheater
// lead-lag, damping on speed.
#pragma once
#include "dynamics/blocks.h"
#include "dynamics/extras.h"
#include "dynamics/governors/governor_io.h"

struct Tgov1 : GovernorDefaults {
  static constexpr const char* kModels[] = {"tgov1"};
  static constexpr int kStates = 2;  // valve, reheater
  double r, t1, vmax, vmin, t2, t3, dt;
  double p0;
  double droop_gain;  // 1/r
  LimitedLag valve;
  LeadLag reheater;

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool hydro() const { return t2 < 0; }  // a negative lead imitates a hydro unit
  SteadyRange steady_range(double step) const { return {step / r, vmax, vmin}; }
  Damping damping() const { return {"dt", dt}; }
  bool start(double p, double* x, Verdict& verdict);

  double demand(double dw) const { return p0 - dw * droop_gain; }
  void derivatives(const double* x, GovernorInput u, double* dx) const {
    const double d = demand(u.dw);
    dx[0] = valve.derivative(x[0], d);
    dx[1] = reheater.derivative(x[1], valve.output(x[0], d));
  }
  void limit(double* x) const { x[0] = valve.limit(x[0]); }
  double output(const double* x, GovernorInput u) const {
    return reheater.output(x[1], valve.output(x[0], demand(u.dw))) - dt * u.dw;
  }
};
