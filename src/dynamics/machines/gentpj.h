// gentpj and gentpf on open circuit (kis times a zero current: the two are one model
// here): E'q and psi''d, saturation dividing the subtransient circuit's time constant and
// scaling the field current.
#pragma once
#include <cstring>

#include "dynamics/machines/d_axis.h"

struct Gentpj {
  static constexpr const char* kModels[] = {"gentpj", "gentpf"};
  static constexpr int kStates = 2;  // E'q, psi''d
  DAxis d;
  double current;  // (ld - lpd)/(lpd - lppd)
  double kis;      // gentpj's; gentpf has none

  bool make(ParameterReader& read, Verdict& verdict, Notes&) {
    kis = std::strcmp(read.model_name(), "gentpj") == 0 ? read.value("kis") : 0.0;
    if (!read_d_axis(read, d, "lppd", verdict)) return false;
    current = (d.ld - d.lpd) / (d.lpd - d.lppd);
    return true;
  }
  double start(double vt0, double* x) const {
    x[0] = x[1] = vt0;
    return field_current(x);
  }
  double terminal_voltage(const double* x) const { return x[1]; }
  double field_current(const double* x) const {
    const double dsat = 1.0 + d.saturation.of(x[1]);
    return dsat * (x[0] + current * (x[0] - x[1]));
  }
  void derivatives(const double* x, double efd, double* dx) const {
    dx[0] = (efd - field_current(x)) * d.field_rate;
    dx[1] = (1.0 + d.saturation.of(x[1])) * (x[0] - x[1]) * d.damper_rate;
  }
  void limit(double*) const {}
  double output(const double* x, double) const { return terminal_voltage(x); }
  UnseenMachine unseen() const { return UnseenMachine{true, kis, false, 0.0}; }
};
