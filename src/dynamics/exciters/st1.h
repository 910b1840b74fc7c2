// exst1 and esst1a on one code path: input limits, two lead-lags, regulator with
// non-windup limits, field current limiter, output limits proportional to Vt and the rate
// feedback taken before the output limit (a choice). vamax = vamin = 0 is no limit.
#pragma once
#include <algorithm>

#include "dynamics/blocks.h"
#include "dynamics/exciters/exciter_io.h"
#include "dynamics/extras.h"

struct St1 : ExciterDefaults {
  static constexpr const char* kModels[] = {"exst1", "esst1a"};
  static constexpr int kStates = 5;  // transducer, two lead-lags, regulator, rate feedback
  double tr, vimax, vimin, tc, tb, ka, ta, vrmax, vrmin, kc, kf, tf, tc1, tb1, vamax, vamin, ilr,
      klr;
  double transducer;  // 1/tr
  LeadLag lead1, lead2;
  LimitedLag regulator;
  Washout feedback;

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict);

  double limited_field(double va, double ifd) const { return va - klr * std::max(0.0, ifd - ilr); }
  double efd(const double* s, ExciterInput u) const {
    const double vc = tr > 0 ? s[0] : u.vt;
    double va;
    if (ta > 0) {
      va = s[3];
    } else {  // kf = 0 here: no rate feedback
      const double vi = clamp(u.vref - vc, vimin, vimax);
      va = regulator.output(0.0, lead2.output(s[2], lead1.output(s[1], vi)));
    }
    return clamp(limited_field(va, u.ifd), u.vt * vrmin, u.vt * vrmax - kc * u.ifd);
  }
  void derivatives(const double* s, ExciterInput u, double* ds) const {
    ds[0] = (u.vt - s[0]) * transducer;
    const double vc = tr > 0 ? s[0] : u.vt;
    const double vr = limited_field(s[3], u.ifd);
    const double vf = ta > 0 ? feedback.output(s[4], vr) : 0.0;
    const double vi = clamp(u.vref - vc - vf, vimin, vimax);
    const double y1 = lead1.output(s[1], vi);
    const double y2 = lead2.output(s[2], y1);
    ds[1] = lead1.derivative(s[1], vi);
    ds[2] = lead2.derivative(s[2], y1);
    ds[3] = regulator.derivative(s[3], y2);
    ds[4] = ta > 0 ? feedback.derivative(s[4], vr) : 0.0;
  }
  void limit(double* s) const { s[3] = regulator.limit(s[3]); }
};
