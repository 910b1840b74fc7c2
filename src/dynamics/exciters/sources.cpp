// The ac exciter's voltage for a given field voltage and current.
#include "dynamics/exciters/sources.h"

double AcExciter::ve_for(double efd0, double ifd0) const {
  if (!(efd0 > 0)) return 0.0;
  double lo = std::max(kc * ifd0, 0.0);  // FEX = 0 here: Efd 0
  double hi = efd0 + std::max(kc * ifd0, 0.0) + 1.0;
  for (int i = 0; i < 60 && efd(hi, ifd0) < efd0; ++i) hi *= 2;
  for (int i = 0; i < 200 && hi - lo > 1e-15 * hi; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (efd(mid, ifd0) < efd0) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return 0.5 * (lo + hi);
}
