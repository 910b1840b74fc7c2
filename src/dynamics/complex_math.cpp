// Complex arithmetic and the phase angle from +, -, *, / and sqrt only.
#include "dynamics/complex_math.h"

#include <cmath>

Complex operator/(Complex a, Complex b) {
  if (std::fabs(b.re) >= std::fabs(b.im)) {
    const double r = b.im / b.re;
    const double d = b.re + b.im * r;
    return {(a.re + a.im * r) / d, (a.im - a.re * r) / d};
  }
  const double r = b.re / b.im;
  const double d = b.re * r + b.im;
  return {(a.re * r + a.im) / d, (a.im * r - a.re) / d};
}

Complex power(Complex a, int n) {
  Complex result{1.0, 0.0};
  for (int i = 0; i < n; ++i) result = result * a;
  return result;
}

double magnitude(Complex a) {
  const double x = std::fabs(a.re);
  const double y = std::fabs(a.im);
  const double big = x > y ? x : y;
  if (big == 0 || !std::isfinite(big)) return big;
  const double small = (x > y ? y : x) / big;
  return big * std::sqrt(1.0 + small * small);
}

namespace {

// atan(t) for 0 <= t <= 1: halving the argument twice (atan t = 2 atan(t/(1 + sqrt(1 + t^2))))
// leaves t below 0.2, where the series converges to the last bit in 16 terms.
double small_arc_tangent(double t) {
  for (int i = 0; i < 2; ++i) t = t / (1.0 + std::sqrt(1.0 + t * t));
  const double t2 = t * t;
  double sum = 0.0;
  for (int k = 31; k >= 1; k -= 2) sum = 1.0 / k - t2 * sum;
  return 4.0 * t * sum;
}

}  // namespace

double arc_tangent(double y, double x) {
  if (std::isnan(x) || std::isnan(y)) return NAN;
  if (x == 0 && y == 0) return 0.0;
  const double ax = std::fabs(x);
  const double ay = std::fabs(y);
  double a;
  if (!std::isfinite(ax) || !std::isfinite(ay)) {
    a = std::isfinite(ax) ? kPi / 2 : std::isfinite(ay) ? 0.0 : kPi / 4;
  } else {
    a = ay <= ax ? small_arc_tangent(ay / ax) : kPi / 2 - small_arc_tangent(ax / ay);
  }
  if (x < 0) a = kPi - a;
  return std::signbit(y) ? -a : a;
}

double phase_degrees(Complex a) { return arc_tangent(a.im, a.re) * (180.0 / kPi); }
