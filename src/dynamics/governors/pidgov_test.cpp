// pidgov under the speed step against the reference sheet: the western case's record, its
// gate at the standard load, and a larger integral gain.
#include <cmath>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Pidgov, TheWesternRecordUnderTheSpeedStep) {
  const Compared c = respond("pidgov", pidgov_128());
  const double sheet[][2] = {{1, 0},         {1.5, -0.000156}, {2, -0.000170}, {5, 0.000606},
                             {10, 0.001005}, {30, 0.001630},   {60, 0.002516}};
  for (const auto& row : sheet) EXPECT_NEAR(c.old_change(row[0]), row[1], 5e-7) << row[0];
  int lowest = 0;
  for (int n = 0; n <= c.comparison.steps; ++n)
    if (c.old_step(0, n) < c.old_step(0, lowest)) lowest = n;
  EXPECT_NEAR(c.old_change(lowest * kStep), -0.000190, 5e-7);
  EXPECT_NEAR(lowest * kStep, 1.77, 0.01);
  Record faster = pidgov_128();
  faster.values[3] = 0.2f;  // ki
  const Compared f = respond("pidgov", faster);
  const double integral[][2] = {{5, 0.000807}, {10, 0.002426}, {30, 0.007877}, {60, 0.014244}};
  for (const auto& row : integral) EXPECT_NEAR(f.old_change(row[0]), row[1], 5e-7) << row[0];
}

TEST(Pidgov, ItsCurveMustRise) {
  Record flat = pidgov_128();
  flat.values[18] = 0.5f;  // g2 below g1
  EXPECT_EQ(respond("pidgov", flat).out().outcome, Outcome::invalid_data);
  Record no_gate = pidgov_128();
  no_gate.values[6] = 0;  // tb
  EXPECT_STREQ(respond("pidgov", no_gate).out().reason, "OLD: tb = 0: pidgov's gate divides by it");
}

}  // namespace
