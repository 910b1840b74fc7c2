// Governor pairs under the speed step: tgov1 to ieeeg1 with the reheater on a plain lag,
// the numbers it gives and the failure it is.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Governors, TheReheaterOnAPlainLagFails) {
  const Compared c = compare("tgov1", kTgov1, "ieeeg1", kIeeeg1Shipped);
  const double sheet[][2] = {{1.5, 0.001445}, {2, 0.004373},  {3, 0.011131}, {5, 0.023553},
                             {10, 0.045763},  {20, 0.067405}, {30, 0.075366}};
  for (const auto& row : sheet) EXPECT_NEAR(c.new_change(row[0]), row[1], 5e-7) << row[0];
  EXPECT_EQ(c.out().outcome, Outcome::fail);
  EXPECT_NEAR(c.out().deviation, 0.267, 0.0005);
  EXPECT_NEAR(c.out().at, 2.577, 0.001);
  EXPECT_NEAR(c.new_change(c.out().at) - c.old_change(c.out().at), -0.02050, 5e-6);
  // With the example's valve time 0.4 s.
  Record steam1 = kTgov1;
  steam1.values[1] = 0.4f;
  const Compared s = compare("tgov1", steam1, "ieeeg1", ieeeg1(20, 0.4f, 10, 1, 0, 0));
  EXPECT_NEAR(s.old_change(1.5), 0.018304, 5e-7);
  EXPECT_NEAR(s.new_change(1.5), 0.001686, 5e-7);
  EXPECT_NEAR(s.out().deviation, 0.273, 0.0005);
}

}  // namespace
