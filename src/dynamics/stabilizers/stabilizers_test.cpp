// The stabilizer comparison: ieeest to pss1a, wrong and exact, a form pss1a cannot hold
// and another input signal.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Stabilizers, WashoutOnTheTransducerFailsAndTheExactMappingPasses) {
  // Set A: t5 -> t5, t6 -> t6, gain not rescaled.
  const Compared wrong_a =
      compare("ieeest", ieeest(0.15f, 0.03f, 2, 2, 10), "pss1a", pss1a(0.15f, 0.03f, 2, 2, 10));
  EXPECT_NEAR(wrong_a.t->gain_new[5], 1.4419, 5e-5);
  EXPECT_NEAR(wrong_a.t->phase_new[5], -15.64, 5e-3);
  EXPECT_EQ(wrong_a.out(0).outcome, Outcome::fail);
  EXPECT_NEAR(wrong_a.out(0).deviation, 0.974, 0.001);  // 1 - 1.8065/68.1269 at 3 Hz
  EXPECT_EQ(wrong_a.out(1).outcome, Outcome::fail);
  EXPECT_NEAR(wrong_a.out(1).deviation, 88.5, 0.05);
  const Compared wrong_b =
      compare("ieeest", ieeest(0.2f, 0.04f, 3, 2, 10), "pss1a", pss1a(0.2f, 0.04f, 3, 2, 10));
  EXPECT_NEAR(wrong_b.out(0).deviation, 0.982, 0.0005);
  EXPECT_NEAR(wrong_b.out(1).deviation, 89.0, 0.05);
  // Exact: pss1a's t5 = ieeest's t6, t6 = 0, ks = ks t5/t6.
  const Compared exact =
      compare("ieeest", ieeest(0.2f, 0.04f, 3, 2, 10), "pss1a", pss1a(0.2f, 0.04f, 2, 0, 15));
  EXPECT_EQ(exact.out(0).outcome, Outcome::pass);
  EXPECT_LT(exact.out(0).deviation, 1e-12);
  EXPECT_EQ(exact.out(1).outcome, Outcome::pass);
  EXPECT_LT(exact.out(1).deviation, 1e-9);
}

TEST(Stabilizers, NoExactFormOrAnotherSignalAreTold) {
  Record notch = ieeest(0.15f, 0.03f, 2, 2, 10);
  notch.values[3] = 0.5f;  // a3
  const Compared n = compare("ieeest", notch, "pss1a", pss1a(0.15f, 0.03f, 2, 0, 10));
  EXPECT_EQ(n.out(0).outcome, Outcome::not_representable);
  EXPECT_STREQ(n.out(1).reason, "NEW: a3 = 0.5: pss1a has no notch filter");
  Record pure = ieeest(0.15f, 0.03f, 2, 0, 10);
  EXPECT_EQ(compare("ieeest", pure, "pss1a", pss1a(0.15f, 0.03f, 2, 0, 10)).out(0).outcome,
            Outcome::not_representable);
  Record other_signal = pss1a(0.15f, 0.03f, 2, 0, 10);
  other_signal.values[0] = 3;
  const Compared s = compare("pss1a", pss1a(0.15f, 0.03f, 2, 0, 10), "pss1a", other_signal);
  EXPECT_EQ(s.out(0).outcome, Outcome::fail);
  EXPECT_STREQ(s.out(0).reason, "input code 1 of OLD is 3 in NEW");
}

}  // namespace
