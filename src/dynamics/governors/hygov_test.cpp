// hygov against the reference sheet: the example's record that cannot start, and the
// response of the one that can.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Governors, HygovReproducesTheSheet) {
  // The example's HYDRO2 as written: dturb and qnl in each other's places.
  Record written{{0.05f, 0.3f, 5, 0.05f, 0.5f, 0.2f, 1, 0, 1.2f, 1.0f, 0.08f, 0.5f}};
  const Compared bad = compare("hygov", written, "hygov", written);
  EXPECT_EQ(bad.out().outcome, Outcome::no_start_old);
  EXPECT_STREQ(bad.out().reason, "OLD: g0 = 1.300 above gmax = 1.000");
  Record swapped = written;
  std::swap(swapped.values[10], swapped.values[11]);
  const Compared c = compare("hygov", swapped, "hygov", swapped);
  EXPECT_EQ(c.comparison.steps, 60 * kStepsPerSecond);
  EXPECT_NEAR(c.old_step(0, 0), 0.8, 1e-12);
  const double sheet[][2] = {{1.0, 0.00176}, {2, 0.00131},  {5, 0.01683}, {10, 0.02558},
                             {20, 0.03957},  {30, 0.05009}, {60, 0.06841}};
  for (const auto& row : sheet) EXPECT_NEAR(c.old_change(row[0]), row[1], 5e-6) << row[0];
  // The dip: water inertia.
  int lowest = 0;
  for (int n = 0; n <= c.comparison.steps; ++n)
    if (c.old_step(0, n) < c.old_step(0, lowest)) lowest = n;
  EXPECT_NEAR(c.old_change(lowest * kStep), -0.00404, 5e-6);
  EXPECT_NEAR(lowest * kStep, 1.40, 0.005);
}

}  // namespace
