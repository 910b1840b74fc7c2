// ieeet1 and esdc1a on one code path, the dc exciters (neither order is confirmed):
// voltage transducer, regulator with non-windup limits, exciter field with its
// saturation, rate feedback; esdc1a has a lead-lag after the error, which ieeet1 lacks.
// ke = 0 is taken as the ke that starts vr at 0 (a self-excited field): a convention every
// conversion from or to such a record is told.
#pragma once
#include "dynamics/blocks.h"
#include "dynamics/exciters/exciter_io.h"
#include "dynamics/extras.h"
#include "dynamics/saturation.h"

struct Dc1 : ExciterDefaults {
  static constexpr const char* kModels[] = {"ieeet1", "esdc1a"};
  static constexpr int kStates = 5;  // transducer, lead-lag, regulator, field (Efd), feedback
  double tr, ka, ta, tb, tc, vrmax, vrmin, ke, te, kf, tf, switch_value, e1, se1, e2, se2;
  ExciterSaturation saturation;
  bool ke_computed;
  bool lead_slot;     // esdc1a: the record has a lead-lag
  double transducer;  // 1/tr
  double field;       // 1/te
  LeadLag lead;
  LimitedLag regulator;
  Washout feedback;

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict);
  bool told() const { return ke_computed; }
  bool has_lead() const { return tb > 0 && tc != tb; }

  double efd(const double* s, ExciterInput) const { return s[3]; }
  void derivatives(const double* s, ExciterInput u, double* ds) const {
    ds[0] = (u.vt - s[0]) * transducer;
    const double vc = tr > 0 ? s[0] : u.vt;
    const double e = s[3];
    const double error = u.vref - vc - feedback.output(s[4], e);
    ds[1] = lead.derivative(s[1], error);
    const double y = lead.output(s[1], error);
    ds[2] = regulator.derivative(s[2], y);
    const double vr = regulator.output(s[2], y);
    ds[3] = (vr - ke * e - saturation.term(e)) * field;
    ds[4] = feedback.derivative(s[4], e);
  }
  void limit(double* s) const { s[2] = regulator.limit(s[2]); }
};
