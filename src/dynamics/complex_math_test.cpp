// Our own complex arithmetic and phase angle against the C library's, over many values:
// the same numbers to the last bits that matter.
#include "dynamics/complex_math.h"

#include <cmath>
#include <complex>
#include <random>

#include "test_support.h"

namespace {

TEST(ComplexMath, AngleAndMagnitudeAgreeWithTheLibrary) {
  std::mt19937_64 rng(42);
  std::uniform_real_distribution<double> exponent(-20, 20);
  std::uniform_real_distribution<double> unit(-1, 1);
  double worst_angle = 0.0;
  double worst_magnitude = 0.0;
  for (int i = 0; i < 200000; ++i) {
    const double x = unit(rng) * std::pow(10.0, exponent(rng));
    const double y = unit(rng) * std::pow(10.0, exponent(rng));
    worst_angle = std::max(worst_angle, std::fabs(arc_tangent(y, x) - std::atan2(y, x)));
    const double m = std::hypot(x, y);
    worst_magnitude = std::max(worst_magnitude, std::fabs(magnitude(Complex{x, y}) - m) / m);
  }
  EXPECT_LT(worst_angle, 1e-15);  // two units in the last place of pi
  EXPECT_LT(worst_magnitude, 4e-16);
  // The quadrants and the axes.
  EXPECT_EQ(arc_tangent(0, 0), 0.0);
  EXPECT_EQ(arc_tangent(0, -1), kPi);
  EXPECT_EQ(arc_tangent(-0.0, -1), -kPi);
  EXPECT_EQ(arc_tangent(1, 0), kPi / 2);
  EXPECT_EQ(arc_tangent(-1, 0), -kPi / 2);
  EXPECT_NEAR(phase_degrees(Complex{-1, -1}), -135.0, 1e-12);
  EXPECT_TRUE(std::isnan(arc_tangent(NAN, 1)));
  EXPECT_EQ(magnitude(Complex{INFINITY, 1}), INFINITY);
}

TEST(ComplexMath, ArithmeticAgreesWithTheLibrary) {
  const Complex a{1.5, -2.25};
  const Complex b{-0.5, 4.0};
  const std::complex<double> ca(1.5, -2.25), cb(-0.5, 4.0);
  const Complex q = a / b;
  EXPECT_NEAR(q.re, (ca / cb).real(), 1e-15);
  EXPECT_NEAR(q.im, (ca / cb).imag(), 1e-15);
  const Complex q2 = b / Complex{3.0, 0.25};  // the other branch of the division
  EXPECT_NEAR(q2.re, (cb / std::complex<double>(3.0, 0.25)).real(), 1e-15);
  EXPECT_NEAR(q2.im, (cb / std::complex<double>(3.0, 0.25)).imag(), 1e-15);
  const Complex p = power(a, 3);
  EXPECT_NEAR(p.re, std::pow(ca, 3).real(), 1e-12);
  EXPECT_NEAR(p.im, std::pow(ca, 3).imag(), 1e-12);
  EXPECT_EQ(power(a, 0).re, 1.0);
}

}  // namespace
