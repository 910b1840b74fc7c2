// sexs, the simplified excitation system: a lead-lag and a gain with one time constant and
// non-windup limits. Its values 7 to 11 (not confirmed) are not simulated.
#pragma once
#include "dynamics/blocks.h"
#include "dynamics/exciters/exciter_io.h"
#include "dynamics/extras.h"

struct Sexs : ExciterDefaults {
  static constexpr const char* kModels[] = {"sexs"};
  static constexpr int kStates = 2;  // lead-lag, regulator
  static constexpr const char* kExtrasDiffer =
      "sexs values 7 to 11 (not simulated, not confirmed) differ between OLD and NEW";
  double tatb, tb, k, te, emin, emax;
  LeadLag lead;
  LimitedLag regulator;

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict);

  double efd(const double* s, ExciterInput u) const {
    return regulator.output(s[1], lead.output(s[0], u.vref - u.vt));
  }
  void derivatives(const double* s, ExciterInput u, double* ds) const {
    const double e = u.vref - u.vt;
    ds[0] = lead.derivative(s[0], e);
    ds[1] = regulator.derivative(s[1], lead.output(s[0], e));
  }
  void limit(double* s) const { s[1] = regulator.limit(s[1]); }
};
