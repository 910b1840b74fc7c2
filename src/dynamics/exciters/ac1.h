// exac1 and esac1a on one code path (their orders are not confirmed): transducer, lead-lag,
// regulator with non-windup limits, an output clamp (esac1a's vrmax, vrmin; exac1 has one
// limit pair, on the regulator, and no clamp), the rotating ac exciter with its
// saturation and diode bridge, and a rate feedback of the exciter's field voltage.
#pragma once
#include "dynamics/blocks.h"
#include "dynamics/exciters/exciter_io.h"
#include "dynamics/extras.h"

struct Ac1 : ExciterDefaults {
  static constexpr const char* kModels[] = {"exac1", "esac1a"};
  static constexpr int kStates = 5;  // transducer, lead-lag, regulator, VE, rate feedback
  static constexpr const char* kExtrasDiffer =
      "spdmlt differs between OLD and NEW (speed is 1 in the test: not seen)";
  double tr, tb, tc, ka, ta, vamax, vamin, te, kf, tf, kc, kd, ke, e1, se1, e2, se2, vrmax, vrmin;
  bool two_pairs;     // esac1a: vamax, vamin on the regulator and vrmax, vrmin on its output
  double transducer;  // 1/tr
  LeadLag lead;
  LimitedLag regulator;
  AcExciter exciter;
  Washout feedback;

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict);
  bool told() const { return ke == 0; }

  double efd(const double* s, ExciterInput u) const { return exciter.efd(s[3], u.ifd); }
  void derivatives(const double* s, ExciterInput u, double* ds) const {
    ds[0] = (u.vt - s[0]) * transducer;
    const double vc = tr > 0 ? s[0] : u.vt;
    const double vfe = exciter.vfe(s[3], u.ifd);
    const double e = u.vref - vc - feedback.output(s[4], vfe);
    ds[1] = lead.derivative(s[1], e);
    const double y = lead.output(s[1], e);
    ds[2] = regulator.derivative(s[2], y);
    const double vr = clamp(regulator.output(s[2], y), vrmin, vrmax);
    ds[3] = exciter.derivative(s[3], vr, u.ifd);
    ds[4] = feedback.derivative(s[4], vfe);
  }
  void limit(double* s) const {
    s[2] = regulator.limit(s[2]);
    s[3] = exciter.limit(s[3]);
  }
};
