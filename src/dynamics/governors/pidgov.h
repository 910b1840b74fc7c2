// pidgov, the hydro PID governor: droop on the gate (flag 1) or on electrical power
// (flag 0) through its regulator lag, a PID with a derivative and two lags on ta, a
// rate- and position-limited gate, a gate-power curve of three straight pieces and the
// classical penstock lead-lag.
#pragma once
#include "dynamics/blocks.h"
#include "dynamics/extras.h"
#include "dynamics/governors/governor_io.h"

struct Pidgov : GovernorDefaults {
  static constexpr const char* kModels[] = {"pidgov"};
  enum Slot { kDroop, kIntegral, kLag, kDerivative, kLag2, kGate, kWater };
  static constexpr int kStates = 7;
  double treg, rperm, kp, ki, kd, ta, tb, velmax, velmin, gmax, gmin, tw, dturb, atw, flag;
  double gx[4];  // g0, g1, g2, 1
  double py[4];  // 0, p1, p2, p3
  double pref;
  Lag droop;          // Lag(rperm, treg) of the gate or power error
  Lag lag1, lag2;     // Lag(1, ta)
  Washout rate_term;  // kd s/(1 + s ta)
  LeadLag water;      // LL(-atw tw, atw tw / 2)

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool hydro() const { return true; }
  SteadyRange steady_range(double step) const;
  Damping damping() const { return {"dturb", dturb}; }
  bool droop_through_pe() const { return flag == 0 && rperm != 0; }
  bool start(double p, double* x, Verdict& verdict);

  // Power of the gate: three straight pieces, 0 below g0, the last carried on above 1.
  double power(double g) const {
    if (g <= gx[0]) return 0.0;
    int k = 0;
    while (k < 2 && g > gx[k + 1]) ++k;
    return py[k] + (py[k + 1] - py[k]) * (g - gx[k]) / (gx[k + 1] - gx[k]);
  }
  double gate_of(double p) const;  // the gate whose power is p

  void derivatives(const double* x, GovernorInput u, double* dx) const {
    const double xin = pref - (flag == 1 ? x[kGate] : u.pe);
    dx[kDroop] = droop.derivative(x[kDroop], xin);
    const double w = droop.output(x[kDroop], xin) - u.dw;
    const double pi = kp * w + x[kIntegral];
    dx[kIntegral] = ki * w;
    dx[kLag] = lag1.derivative(x[kLag], pi);
    const double pd = ta > 0 ? rate_term.output(x[kDerivative], w) : 0.0;
    dx[kDerivative] = rate_term.derivative(x[kDerivative], w);
    const double into = lag1.output(x[kLag], pi) + pd;
    dx[kLag2] = lag2.derivative(x[kLag2], into);
    const double demand = lag2.output(x[kLag2], into);
    dx[kGate] = rate_and_position((demand - x[kGate]) / tb, x[kGate], velmin, velmax, gmin, gmax);
    dx[kWater] = water.derivative(x[kWater], power(x[kGate]));
  }
  void limit(double* x) const { x[kGate] = clamp(x[kGate], gmin, gmax); }
  double output(const double* x, GovernorInput u) const {
    return water.output(x[kWater], power(x[kGate])) - dturb * u.dw;
  }
};
