// ieeeg3, the IEEE type 3 hydro governor: a dashpot governor (permanent droop rperm,
// transient droop rtemp with its reset time tr), a gate servo whose velocity and position
// are held at their limits (non-windup), a gate curve and the linear water column as a
// lead-lag (kturb, aturb, bturb).
#pragma once
#include "dynamics/blocks.h"
#include "dynamics/extras.h"
#include "dynamics/governors/gate_curve.h"
#include "dynamics/governors/governor_io.h"

struct Ieeeg3 : GovernorDefaults {
  static constexpr const char* kModels[] = {"ieeeg3"};
  enum Slot { kReset, kVelocity, kGate, kWater };
  static constexpr int kStates = 4;
  double tg, tp, uo, uc, pmax, pmin, rperm, rtemp, tr, tw, kturb, aturb, bturb;
  double gref;
  GateCurve curve;
  LimitedLag servo;  // the gate velocity: Lag(1/tg, tp) of the error, [uc, uo]
  double reset;      // 1/tr, 0 for tr = 0
  LeadLag water;     // LL(aturb tw, bturb tw)

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool hydro() const { return true; }
  SteadyRange steady_range(double step) const;
  bool start(double p, double* x, Verdict& verdict);

  double error(const double* x, GovernorInput u) const {
    const double g = x[kGate];
    const double transient = tr > 0 ? rtemp * (g - x[kReset]) : 0.0;
    return gref - u.dw - rperm * g - transient;
  }
  void derivatives(const double* x, GovernorInput u, double* dx) const {
    const double e = error(x, u);
    dx[kReset] = (x[kGate] - x[kReset]) * reset;
    dx[kVelocity] = servo.derivative(x[kVelocity], e);
    const double v = servo.output(x[kVelocity], e);
    dx[kGate] = rate_and_position(v, x[kGate], -1e300, 1e300, pmin, pmax);
    dx[kWater] = water.derivative(x[kWater], curve.of(x[kGate]));
  }
  void limit(double* x) const {
    x[kVelocity] = servo.limit(x[kVelocity]);
    x[kGate] = clamp(x[kGate], pmin, pmax);
  }
  double output(const double* x, GovernorInput) const {
    return kturb * water.output(x[kWater], curve.of(x[kGate]));
  }
};
