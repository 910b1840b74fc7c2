// ieeeg3 under the speed step against the reference sheet: the western case's record, its
// dip from the water column, and its final value 0.004 kturb / rperm.
#include <cmath>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Ieeeg3, TheWesternRecordUnderTheSpeedStep) {
  const Compared c = respond("ieeeg3", ieeeg3_115());
  const double sheet[][2] = {{1, 0},         {1.5, -0.007807}, {2, 0.000335}, {5, 0.005963},
                             {10, 0.009006}, {30, 0.019623},   {60, 0.032647}};
  for (const auto& row : sheet) EXPECT_NEAR(c.old_change(row[0]), row[1], 5e-7) << row[0];
  int lowest = 0;
  for (int n = 0; n <= c.comparison.steps; ++n)
    if (c.old_step(0, n) < c.old_step(0, lowest)) lowest = n;
  EXPECT_NEAR(c.old_change(lowest * kStep), -0.008237, 5e-7);
  EXPECT_NEAR(lowest * kStep, 1.421, 0.003);
}

TEST(Ieeeg3, NoStartWithoutAServoOrATurbine) {
  Record no_servo = ieeeg3_115();
  no_servo.values[0] = 0;  // tg
  EXPECT_STREQ(respond("ieeeg3", no_servo).out().reason,
               "OLD: tg = 0: the gate servo divides by it");
  Record no_turbine = ieeeg3_115();
  no_turbine.values[10] = 0;  // kturb
  EXPECT_EQ(respond("ieeeg3", no_turbine).out().outcome, Outcome::no_start_old);
}

}  // namespace
