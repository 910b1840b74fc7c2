// The saturation curves of generators and exciters, fitted through their records' points.
#include "dynamics/saturation.h"

#include <cmath>

#include "dynamics/real_math.h"

const char* form_name(SaturationForm form) {
  static constexpr const char* kNames[] = {"scaled quadratic", "quadratic", "exponential"};
  return kNames[static_cast<int>(form)];
}

double Saturation::of(double psi) const {
  if (!present || !(psi > 0)) return 0.0;
  switch (form) {
    case SaturationForm::scaled_quadratic:
      return psi > a ? b * (psi - a) * (psi - a) / psi : 0.0;
    case SaturationForm::quadratic:
      return psi > a ? b * (psi - a) * (psi - a) : 0.0;
    case SaturationForm::exponential:
      break;
  }
  return b * power_of(psi, a);
}

bool fit_saturation(double s1, double s12, Saturation& s, Verdict& verdict, SaturationForm form) {
  s = Saturation{false, form, 0.0, 0.0};
  if (s1 == 0) return true;
  const bool scaled = form == SaturationForm::scaled_quadratic;
  if (!(s1 > 0 && (scaled ? s1 < 1.2 * s12 : s1 < s12)))
    return fail(verdict, Problem::invalid_data,
                "s1 = %g, s12 = %g: no %s saturation curve fits the pair (it needs 0 < s1 < %s)",
                s1, s12, form_name(form), scaled ? "1.2 s12" : "s12");
  s.present = true;
  switch (form) {
    case SaturationForm::scaled_quadratic: {
      const double ratio = std::sqrt(s1 / (1.2 * s12));
      s.a = 1.2 + 0.2 / (ratio - 1.0);
      s.b = 1.2 * s12 * (ratio - 1.0) * (ratio - 1.0) / 0.04;
      break;
    }
    case SaturationForm::quadratic: {
      const double r = std::sqrt(s12 / s1);
      s.a = (r - 1.2) / (r - 1.0);
      s.b = s1 / ((1.0 - s.a) * (1.0 - s.a));
      break;
    }
    case SaturationForm::exponential:
      s.a = log_of(s12 / s1) / log_of(1.2);
      s.b = s1;
      break;
  }
  return true;
}

bool fit_exciter_saturation(double e1, double se1, double e2, double se2, ExciterSaturation& s,
                            Verdict& verdict) {
  s = ExciterSaturation{false, 0.0, 0.0};
  if (se1 == 0 || se2 == 0) return true;
  const double ratio = se1 * e1 / (se2 * e2);
  if (!(ratio > 0) || ratio == 1 || e1 == e2)
    return fail(verdict, Problem::invalid_data,
                "e1 = %g, se1 = %g, e2 = %g, se2 = %g: no saturation curve fits the points", e1,
                se1, e2, se2);
  const double a = std::sqrt(ratio);
  s.present = true;
  s.a = e2 - (e1 - e2) / (a - 1.0);
  s.b = se2 * e2 * (a - 1.0) * (a - 1.0) / ((e1 - e2) * (e1 - e2));
  return true;
}
