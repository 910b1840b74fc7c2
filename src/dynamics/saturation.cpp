// The saturation curves of generators and exciters, fitted through their records' points.
#include "dynamics/saturation.h"

#include <cmath>

bool fit_saturation(double s1, double s12, Saturation& s, Verdict& verdict) {
  s = Saturation{false, 0.0, 0.0};
  if (s1 == 0) return true;
  if (!(s1 > 0 && s1 < 1.2 * s12))
    return fail(verdict, Problem::invalid_data,
                "s1 = %g, s12 = %g: no saturation curve fits the pair (it needs 0 < s1 < 1.2 s12)",
                s1, s12);
  const double ratio = std::sqrt(s1 / (1.2 * s12));
  s.present = true;
  s.a = 1.2 + 0.2 / (ratio - 1.0);
  s.b = 1.2 * s12 * (ratio - 1.0) * (ratio - 1.0) / 0.04;
  return true;
}

bool fit_exciter_saturation(double e1, double se1, double e2, double se2, ExciterSaturation& s,
                            Verdict& verdict) {
  s = ExciterSaturation{false, 0.0, 0.0};
  if (se1 == 0 || se2 == 0) return true;
  const double ratio = se1 * e1 / (se2 * e2);
  if (!(ratio > 0) || ratio == 1 || e1 == e2)
    return fail(verdict, Problem::invalid_data,
                "e1 = %g, se1 = %g, e2 = %g, se2 = %g: no saturation curve fits the points", e1, se1,
                e2, se2);
  const double a = std::sqrt(ratio);
  s.present = true;
  s.a = e2 - (e1 - e2) / (a - 1.0);
  s.b = se2 * e2 * (a - 1.0) * (a - 1.0) / ((e1 - e2) * (e1 - e2));
  return true;
}
