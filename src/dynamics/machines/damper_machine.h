// The machines whose second state is the d-axis damper flux psi_kd (genrou, gensal and
// those built like them): psi''d = a E'q + b psi_kd is the terminal voltage on open
// circuit, tppdo psi_kd' = E'q - psi_kd, tpdo E'q' = Efd - Ifd. Each model gives its own
// field current and its saturation's form (kForm); this base gives the rest of what a
// generator offers (d_axis.h).
#pragma once
#include "dynamics/machines/d_axis.h"

template <class Model>
struct DamperMachine {
  static constexpr int kStates = 2;  // E'q, psi_kd
  DAxis d;
  DamperShares shares;

  bool make(ParameterReader& read, Verdict& verdict, Notes&) {
    if (!read_d_axis(read, d, "ll", verdict, Model::kForm)) return false;
    shares = damper_shares(d);
    return true;
  }
  double start(double vt0, double* x) const {
    x[0] = x[1] = vt0;
    return model().field_current(x);
  }
  double terminal_voltage(const double* x) const { return shares.a * x[0] + shares.b * x[1]; }
  void derivatives(const double* x, double efd, double* dx) const {
    dx[0] = (efd - model().field_current(x)) * d.field_rate;
    dx[1] = (x[0] - x[1]) * d.damper_rate;
  }
  void limit(double*) const {}
  double output(const double* x, double) const { return terminal_voltage(x); }
  UnseenMachine unseen() const { return {}; }

 private:
  const Model& model() const { return static_cast<const Model&>(*this); }
};
