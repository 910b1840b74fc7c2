// ieeet1, the IEEE type 1 dc exciter: voltage transducer, regulator with non-windup
// limits, exciter field with its saturation, rate feedback. ke = 0 is taken as the ke that
// starts vr at 0 (a self-excited field): a convention every conversion from or to such a
// record is told.
#pragma once
#include "dynamics/blocks.h"
#include "dynamics/exciters/exciter_io.h"
#include "dynamics/extras.h"
#include "dynamics/saturation.h"

struct Ieeet1 : ExciterDefaults {
  static constexpr const char* kModels[] = {"ieeet1"};
  static constexpr int kStates = 4;  // transducer, regulator, field (Efd), rate feedback
  double tr, ka, ta, vrmax, vrmin, ke, te, kf, tf, switch_value, e1, se1, e2, se2;
  ExciterSaturation saturation;
  bool ke_computed;
  double transducer;  // 1/tr
  double field;       // 1/te
  LimitedLag regulator;
  Washout feedback;

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict);
  bool told() const { return ke_computed; }

  double efd(const double* s, ExciterInput) const { return s[2]; }
  void derivatives(const double* s, ExciterInput u, double* ds) const {
    ds[0] = (u.vt - s[0]) * transducer;
    const double vc = tr > 0 ? s[0] : u.vt;
    const double e = s[2];
    const double vf = feedback.output(s[3], e);
    const double error = u.vref - vc - vf;
    ds[1] = regulator.derivative(s[1], error);
    const double vr = regulator.output(s[1], error);
    ds[2] = (vr - ke * e - saturation.term(e)) * field;
    ds[3] = feedback.derivative(s[3], e);
  }
  void limit(double* s) const { s[1] = regulator.limit(s[1]); }
};
