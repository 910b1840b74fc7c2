// gast, its core: droop, temperature limit, valve lag with non-windup limits, fuel lag,
// exhaust temperature lag, damping. Its extras (fidle ... t5), whose roles are not
// confirmed, are not simulated.
#pragma once
#include <algorithm>

#include "dynamics/blocks.h"
#include "dynamics/extras.h"
#include "dynamics/governors/governor_io.h"

struct Gast : GovernorDefaults {
  static constexpr const char* kModels[] = {"gast"};
  static constexpr int kStates = 3;  // valve, fuel, exhaust temperature
  double r, t1, t2, t3, lmax, kt, vmax, vmin, dturb;
  double p0;
  double droop_gain;
  LimitedLag valve;
  Lag fuel;
  Lag exhaust;

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  SteadyRange steady_range(double step) const { return {step / r, std::min(vmax, lmax), vmin}; }
  Damping damping() const { return {"dturb", dturb}; }
  bool start(double p, double* x, Verdict& verdict);

  // The demand on the valve: the speed governor's, or the temperature limit's where that
  // is lower. The exhaust temperature is its lag's state, or with t3 = 0 the fuel's.
  double valve_demand(const double* x, double dw) const {
    const double fuel_state = t2 > 0 ? x[1] : x[0];
    const double temperature = t3 > 0 ? x[2] : fuel_state;
    return std::min(p0 - dw * droop_gain, lmax + kt * (lmax - temperature));
  }
  void derivatives(const double* x, GovernorInput u, double* dx) const {
    const double d = valve_demand(x, u.dw);
    dx[0] = valve.derivative(x[0], d);
    const double v = valve.output(x[0], d);
    dx[1] = fuel.derivative(x[1], v);
    dx[2] = exhaust.derivative(x[2], fuel.output(x[1], v));
  }
  void limit(double* x) const { x[0] = valve.limit(x[0]); }
  double output(const double* x, GovernorInput u) const {
    const double v = valve.output(x[0], valve_demand(x, u.dw));
    return fuel.output(x[1], v) - dturb * u.dw;
  }
};
