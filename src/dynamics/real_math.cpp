// Logarithm, exponential and power of our own: range reduction by powers of two, then
// series whose every term is a plain operation.
#include "dynamics/real_math.h"

#include <cmath>

namespace {

constexpr double kLn2 = 0.6931471805599453094;

}  // namespace

double exp_of(double x) {
  if (std::isnan(x)) return x;
  if (x > 709.8) return INFINITY;
  if (x < -745.0) return 0.0;
  // x = k ln 2 + r, |r| <= ln 2 / 2; e^r by its series, then 2^k exactly.
  const double k = std::floor(x / kLn2 + 0.5);
  const double r = x - k * kLn2;
  double term = 1.0;
  double sum = 1.0;
  for (int n = 1; n < 30; ++n) {
    term *= r / n;
    sum += term;
  }
  return std::ldexp(sum, static_cast<int>(k));
}

double log_of(double x) {
  if (std::isnan(x) || x < 0) return NAN;
  if (x == 0) return -INFINITY;
  if (std::isinf(x)) return x;
  // x = m 2^e with m in [sqrt(1/2), sqrt(2)); ln m = 2 atanh((m - 1)/(m + 1)).
  int e = 0;
  double m = std::frexp(x, &e);  // m in [0.5, 1)
  if (m < 0.70710678118654752440) {
    m *= 2.0;
    --e;
  }
  const double z = (m - 1.0) / (m + 1.0);
  const double z2 = z * z;
  double term = z;
  double sum = 0.0;
  for (int n = 1; n < 60; n += 2) {
    sum += term / n;
    term *= z2;
  }
  return 2.0 * sum + e * kLn2;
}

double power_of(double base, double exponent) {
  if (exponent == 0) return 1.0;
  if (base == 0) return exponent > 0 ? 0.0 : INFINITY;
  return exp_of(exponent * log_of(base));
}
