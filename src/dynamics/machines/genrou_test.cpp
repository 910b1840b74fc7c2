// genrou on open circuit against its exact two-exponential solution.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Generators, GenrouAgainstItsTwoExponentials) {
  // Unsaturated: E'q' = (Efd - E'q - K1d (E'q - psi))/tpdo, psi' = (E'q - psi)/tppdo.
  const Compared c = compare("genrou", genrou(0, 0), "genrou", genrou(0, 0));
  const double tpdo = 8, tppdo = 0.03f, ld = 1.8f, lpd = 0.3f, lppd = 0.25f, ll = 0.2f;
  const double k1 = (lpd - lppd) * (ld - lpd) / ((lpd - ll) * (lpd - ll));
  const double a = (lppd - ll) / (lpd - ll), b = (lpd - lppd) / (lpd - ll);
  // The system matrix of the deviations [dE'q, dpsi] and its eigenvalues.
  const double m11 = -(1 + k1) / tpdo, m12 = k1 / tpdo, m21 = 1 / tppdo, m22 = -1 / tppdo;
  const double tr = m11 + m22, det = m11 * m22 - m12 * m21;
  const double l1 = tr / 2 + std::sqrt(tr * tr / 4 - det),
               l2 = tr / 2 - std::sqrt(tr * tr / 4 - det);
  EXPECT_NEAR(l1, -0.1216, 5e-5);
  EXPECT_NEAR(l2, -34.27, 5e-3);
  // The step 0.05 of Efd: x(tau) = x_inf + c1 v1 e^(l1 tau) + c2 v2 e^(l2 tau), x(0) = 0.
  const double x_inf = 0.05;  // both states end 0.05 higher
  // Eigenvectors (m12, l - m11) and the coefficients from x(0) = -x_inf in both states.
  const double v1a = m12, v1b = l1 - m11, v2a = m12, v2b = l2 - m11;
  const double d = v1a * v2b - v2a * v1b;
  const double c1 = (-x_inf * v2b + x_inf * v2a) / d, c2 = (-v1a * x_inf + v1b * x_inf) / d;
  double worst = 0.0;
  for (int n = kStepsPerSecond; n <= c.comparison.steps; ++n) {
    const double tau = (n - kStepsPerSecond) * kStep;
    const double e1 = std::exp(l1 * tau), e2 = std::exp(l2 * tau);
    const double eq = x_inf + c1 * v1a * e1 + c2 * v2a * e2;
    const double psi = x_inf + c1 * v1b * e1 + c2 * v2b * e2;
    worst = std::max(worst, std::fabs(c.old_step(0, n) - (1.0 + a * eq + b * psi)));
  }
  EXPECT_LT(worst, 1e-5);
  EXPECT_NEAR(worst, 2.9e-8, 0.3e-8);
}

}  // namespace
