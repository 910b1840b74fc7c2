// ieeeg1 under the speed step: its steady droop k (k1 + ... + k8), the servo's rate limit,
// stages that give no power, and cross-compound data.
#include <cmath>
#include <string>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Ieeeg1, SettlesAtItsDroopTimesItsGainSum) {
  // k 20, servo 0.5 s, one stage of 0.2 s carrying it all: 0.004 k (k1 + k3) = 0.08.
  Record r = ieeeg1(20, 0.5f, 0.2f, 0.6f, 1.0f, 0.4f);
  const Compared c = respond("ieeeg1", r);
  EXPECT_NEAR(c.old_change(30.0), 0.004 * 20 * (0.6 + 0.4), 1e-6);
  // Before the step, at rest.
  EXPECT_EQ(c.old_change(0.99), 0.0);
}

TEST(Ieeeg1, StagesAfterTheLastThatGivesPowerChangeNothing) {
  Record plain = ieeeg1(20, 0.5f, 0.2f, 0.6f, 1.0f, 0.4f);
  Record trailing = plain;
  trailing.values[14] = 5;  // t6, with k5 = k6 = 0
  trailing.values[17] = 7;  // t7, with k7 = k8 = 0
  const Compared c = compare("ieeeg1", plain, "ieeeg1", trailing);
  EXPECT_EQ(c.out().outcome, Outcome::pass);
  EXPECT_EQ(c.out().deviation, 0.0);
}

TEST(Ieeeg1, TheServoRateLimitSlowsTheGate) {
  // uo 0.01 pu/s: the gate may rise 0.01 pu per second however large the demand.
  Record slow = ieeeg1(20, 0.05f, 0, 1, 0, 0);
  slow.values[4] = 0.01f;  // uo
  const Compared c = respond("ieeeg1", slow);
  EXPECT_NEAR(c.old_change(3.0), 0.01 * 2.0, 1e-4);
}

TEST(Ieeeg1, CrossCompoundDataAreSummedAndTold) {
  Record cross = ieeeg1(20, 0.5f, 0.2f, 0.5f, 0, 0);
  cross.values[10] = 0.5f;  // k2: the low-pressure shaft's share of stage 1
  const Compared c = respond("ieeeg1", cross);
  EXPECT_NEAR(c.old_change(30.0), 0.08, 1e-6);
  EXPECT_NE(std::string(c.comparison.notes.text).find("k2 = 0.5: cross-compound data"),
            std::string::npos);
}

}  // namespace
