// exst3a, the static exciter of the older ST3 form, as its names and a record writer's
// defaults read (its block roles are not confirmed): an AVR gain kj with a lead-lag ahead
// of an inner field-voltage loop ka, ta with its feedback kg Efd, fed from the bus by the
// source voltage VB, which vbmax caps (there is no efdmax).
#pragma once
#include "dynamics/exciters/static_front.h"

struct Exst3a : ExciterDefaults, StaticFront {
  static constexpr const char* kModels[] = {"exst3a"};
  static constexpr int kStates = 3;  // transducer, lead-lag, regulator
  double kj, angp;

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict);
  UnseenSource unseen_source() const { return {true, angp, src.ki, src.xl}; }

  double avr(const double* s, ExciterInput u) const { return kj * lead.output(s[1], vi(s, u)); }
  // With ta = 0 the regulator is algebraic; kg = 0 then (the loop through Efd is refused).
  double vr(const double* s, ExciterInput u) const { return regulator.output(s[2], avr(s, u)); }
  double efd(const double* s, ExciterInput u) const { return vr(s, u) * source.vb(u.vt, u.ifd); }
  void derivatives(const double* s, ExciterInput u, double* ds) const {
    ds[0] = (u.vt - s[0]) * transducer;
    ds[1] = lead.derivative(s[1], vi(s, u));
    ds[2] = regulator.derivative(s[2], avr(s, u) - feedback(efd(s, u)));
  }
  void limit(double* s) const { s[2] = regulator.limit(s[2]); }
};
