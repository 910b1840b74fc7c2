// ieeest's gain and phase against the reference sheet.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Stabilizers, GainAndPhaseOfTheSheet) {
  const Compared a =
      compare("ieeest", ieeest(0.15f, 0.03f, 2, 2, 10), "ieeest", ieeest(0.15f, 0.03f, 2, 2, 10));
  // f: 0.1, 0.2, 0.3, 0.5, 0.7, 1, 1.5, 2, 3 Hz.
  const double gain_a[][3] = {{0, 7.8915, 47.12},
                              {3, 11.9625, 48.74},
                              {5, 18.1773, 69.81},
                              {7, 39.8334, 85.07},
                              {8, 68.1269, 83.59}};
  for (const auto& row : gain_a) {
    const int i = static_cast<int>(row[0]);
    EXPECT_NEAR(a.t->gain_old[i], row[1], 5e-5) << i;
    EXPECT_NEAR(a.t->phase_old[i], row[2], 5e-3) << i;
  }
  EXPECT_EQ(a.out(0).outcome, Outcome::pass);
  const Compared b =
      compare("ieeest", ieeest(0.2f, 0.04f, 3, 2, 10), "ieeest", ieeest(0.2f, 0.04f, 3, 2, 10));
  EXPECT_NEAR(b.t->gain_old[5], 36.2739, 5e-5);
  EXPECT_NEAR(b.t->phase_old[5], 79.31, 5e-3);
  EXPECT_NEAR(b.t->gain_old[8], 145.4286, 5e-5);
}

}  // namespace
