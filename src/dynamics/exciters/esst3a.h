// esst3a, the IEEE ST3A static exciter (its order is not confirmed): a regulator ka, ta
// after the lead-lag, then the inner loop km, tm on the regulator output less the field
// voltage feedback kg Efd, both with non-windup limits, fed from the bus by VB.
#pragma once
#include "dynamics/exciters/static_front.h"

struct Esst3a : ExciterDefaults, StaticFront {
  static constexpr const char* kModels[] = {"esst3a"};
  static constexpr int kStates = 4;  // transducer, lead-lag, regulator, inner loop
  double km, thetap, tm, vmmax, vmmin;
  LimitedLag inner;

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict);
  UnseenSource unseen_source() const { return {true, thetap, src.ki, src.xl}; }

  double vr(const double* s, ExciterInput u) const {
    return regulator.output(s[2], lead.output(s[1], vi(s, u)));
  }
  // With tm = 0 the inner loop is algebraic; kg = 0 then (the loop through Efd is refused).
  double efd(const double* s, ExciterInput u) const {
    return inner.output(s[3], vr(s, u)) * source.vb(u.vt, u.ifd);
  }
  void derivatives(const double* s, ExciterInput u, double* ds) const {
    ds[0] = (u.vt - s[0]) * transducer;
    const double v = vi(s, u);
    ds[1] = lead.derivative(s[1], v);
    ds[2] = regulator.derivative(s[2], lead.output(s[1], v));
    ds[3] = inner.derivative(s[3], vr(s, u) - feedback(efd(s, u)));
  }
  void limit(double* s) const {
    s[2] = regulator.limit(s[2]);
    s[3] = inner.limit(s[3]);
  }
};
