// esst3a, the IEEE ST3A static exciter (its order is not confirmed): a regulator ka, ta
// after the lead-lag, then the inner loop km, tm on the regulator output less the field
// voltage feedback kg Efd, both with non-windup limits, fed from the bus by VB.
#pragma once
#include <algorithm>

#include "dynamics/blocks.h"
#include "dynamics/exciters/exciter_io.h"
#include "dynamics/exciters/source_start.h"
#include "dynamics/extras.h"

struct Esst3a : ExciterDefaults {
  static constexpr const char* kModels[] = {"esst3a"};
  static constexpr int kStates = 4;  // transducer, lead-lag, regulator, inner loop
  double tr, vimax, vimin, km, tc, tb, ka, ta, vrmax, vrmin, thetap, tm, vmmax, vmmin;
  SourceValues src;   // kg kp ki vbmax kc xl vgmax
  double transducer;  // 1/tr
  LeadLag lead;
  LimitedLag regulator;
  LimitedLag inner;
  BusSource source;

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict);
  UnseenSource unseen_source() const { return {true, thetap, src.ki, src.xl}; }

  double vi(const double* s, ExciterInput u) const {
    const double vc = tr > 0 ? s[0] : u.vt;
    return clamp(u.vref - vc, vimin, vimax);
  }
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
    const double vg = std::min(src.kg * efd(s, u), src.vgmax);
    ds[3] = inner.derivative(s[3], vr(s, u) - vg);
  }
  void limit(double* s) const {
    s[2] = regulator.limit(s[2]);
    s[3] = inner.limit(s[3]);
  }
};
