// genqec on open circuit: E'q and the damper flux psi_kd, one saturation Sat = 1 + S(Vt)
// of the air-gap flux (here the terminal voltage) dividing the reactances above leakage,
// the time constants and Efd: it scales the field current and the damper's rate. Its
// satflag picks the form: 0 exponential, 1 scaled quadratic, 2 quadratic (-1 no
// saturation, any other value 0, as one reader takes them, told). kw compensates the
// field current for the stator current: nothing on open circuit.
#pragma once
#include "dynamics/machines/d_axis.h"

struct Genqec {
  static constexpr const char* kModels[] = {"genqec"};
  static constexpr int kStates = 2;  // E'q, psi_kd
  DAxis d;
  DamperShares shares;
  double kw;
  double satflag;
  bool odd_flag;  // satflag not 0, 1 or 2

  bool make(ParameterReader& read, Verdict& verdict, Notes& notes);
  double start(double vt0, double* x) const {
    x[0] = x[1] = vt0;
    return field_current(x);
  }
  double terminal_voltage(const double* x) const { return shares.a * x[0] + shares.b * x[1]; }
  double sat(const double* x) const { return 1.0 + d.saturation.of(terminal_voltage(x)); }
  double field_current(const double* x) const {
    return sat(x) * (x[0] + shares.k1d * (x[0] - x[1]));
  }
  void derivatives(const double* x, double efd, double* dx) const {
    dx[0] = (efd - field_current(x)) * d.field_rate;
    dx[1] = sat(x) * (x[0] - x[1]) * d.damper_rate;
  }
  void limit(double*) const {}
  double output(const double* x, double) const { return terminal_voltage(x); }
  UnseenMachine unseen() const { return UnseenMachine{false, 0.0, true, kw, odd_flag, satflag}; }
};
