// gensal on open circuit: genrou's equations, but saturation on E'q instead of the
// subtransient flux.
#pragma once
#include "dynamics/machines/d_axis.h"

struct Gensal {
  static constexpr const char* kModels[] = {"gensal"};
  static constexpr int kStates = 2;  // E'q, psi_kd
  DAxis d;
  DamperShares shares;

  bool make(ParameterReader& read, Verdict& verdict, Notes&) {
    if (!read_d_axis(read, d, "ll", verdict)) return false;
    shares = damper_shares(d);
    return true;
  }
  double start(double vt0, double* x) const {
    x[0] = x[1] = vt0;
    return field_current(x);
  }
  double terminal_voltage(const double* x) const { return shares.a * x[0] + shares.b * x[1]; }
  double field_current(const double* x) const {
    return x[0] + shares.k1d * (x[0] - x[1]) + d.saturation.of(x[0]) * x[0];
  }
  void derivatives(const double* x, double efd, double* dx) const {
    dx[0] = (efd - field_current(x)) * d.field_rate;
    dx[1] = (x[0] - x[1]) * d.damper_rate;
  }
  void limit(double*) const {}
  double output(const double* x, double) const { return terminal_voltage(x); }
};
