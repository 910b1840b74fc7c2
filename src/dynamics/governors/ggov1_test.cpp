// ggov1 under the speed step against the reference sheet: the record of the western case
// as written (droop on electrical power, held: a ramp), its closed form, without its
// deadband, with rselect -2, the transport delay as a shift, and its start at rest.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

enum { kR, kRselect, kKpgov = 5, kKigov, kKdgov, kTact = 11, kTeng = 17, kDb = 30 };

TEST(Ggov1, AsWrittenItRampsAsItsClosedFormSays) {
  const Compared c = respond("ggov1", ggov1_60());
  EXPECT_NEAR(c.comparison.run[0].p0, 0.8, 1e-12);
  const double sheet[][2] = {{1.0, -0.004280}, {1.5, 0.016267}, {2, 0.019353},
                             {5, 0.028636},    {10, 0.043875},  {30, 0.104830}};
  for (const auto& row : sheet) EXPECT_NEAR(c.old_change(row[0]), row[1], 5e-7) << row[0];
  // While the governor is in control and unclamped: e = min(|dw| - db, maxerr),
  // xact = cfe0 + A(1 - e^(-tau/tact)) + B(tau - tact + tact e^(-tau/tact)), A = kpgov e,
  // B = kigov e, dPm = kturb [xact (1 + dw) - cfe0].
  const double cfe0 = 0.8 / 1.5 + 0.18f, e = 0.004 - 0.0006f, tact = 0.2f;
  double worst = 0.0;
  for (int n = kStepsPerSecond + 1; n <= c.comparison.steps; ++n) {
    const double tau = (n - kStepsPerSecond) * kStep;
    const double xact = cfe0 + 4.2f * e * (1 - std::exp(-tau / tact)) +
                        0.6f * e * (tau - tact + tact * std::exp(-tau / tact));
    worst = std::max(worst, std::fabs(c.old_change(n * kStep) - 1.5f * (xact * 0.996 - cfe0)));
  }
  EXPECT_LT(worst, 1e-5);
  // Before the step, at rest.
  EXPECT_EQ(c.old_change(0.99), 0.0);
}

TEST(Ggov1, WithoutItsDeadbandAndWithItsDroopOnTheGovernorOutput) {
  Record no_deadband = ggov1_60();
  no_deadband.values[kDb] = 0;
  const Compared d = respond("ggov1", no_deadband);
  const double without[][2] = {
      {1.5, 0.019893}, {2, 0.023523}, {5, 0.034444}, {10, 0.052372}, {30, 0.124084}};
  for (const auto& row : without) EXPECT_NEAR(d.old_change(row[0]), row[1], 5e-7) << row[0];
  Record output_droop = ggov1_60();
  output_droop.values[kRselect] = -2;
  const Compared o = respond("ggov1", output_droop);
  const double droop[][2] = {
      {1.5, 0.012996}, {2, 0.015405}, {5, 0.021763}, {10, 0.031295}, {30, 0.060526}};
  for (const auto& row : droop) EXPECT_NEAR(o.old_change(row[0]), row[1], 5e-7) << row[0];
}

TEST(Ggov1, ATransportDelayShiftsTheTurbinesPower) {
  // teng = 0.1 s, 48 steps: the same Pm, 48 samples later (the delay feeds nothing back
  // in the speed step).
  Record delayed = ggov1_60();
  delayed.values[kTeng] = 0.1f;
  const Compared plain = respond("ggov1", ggov1_60());
  const Compared later = respond("ggov1", delayed);
  double worst = 0.0;
  for (int n = 48; n <= plain.comparison.steps; ++n)
    worst = std::max(worst, std::fabs(later.old_step(0, n) - plain.old_step(0, n - 48)));
  EXPECT_LT(worst, 1e-15);
  // A delay the simulation cannot hold, and values that stop it.
  delayed.values[kTeng] = 11;
  EXPECT_EQ(respond("ggov1", delayed).out().outcome, Outcome::not_simulated);
  Record no_actuator = ggov1_60();
  no_actuator.values[kTact] = 0;
  EXPECT_STREQ(respond("ggov1", no_actuator).out().reason,
               "OLD: tact = 0: ggov1's actuator divides by it");
  Record low_limit = ggov1_60();
  low_limit.values[21] = 0.7f;  // ldref
  EXPECT_NE(std::string(respond("ggov1", low_limit).out().reason).find("P0 = 0.800 above ldref"),
            std::string::npos);
}

}  // namespace
