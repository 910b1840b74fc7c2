// tgov1 against the reference sheet: its worked numbers, its two exponentials, the
// exact ieeeg1 of it, and the reasons it cannot start.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Governors, Tgov1ReproducesTheSheetAndItsTwoExponentials) {
  const Compared c = compare("tgov1", kTgov1, "ieeeg1", kIeeeg1Exact);
  EXPECT_EQ(c.comparison.run[0].p0, 0.8);
  EXPECT_EQ(c.comparison.steps, 30 * kStepsPerSecond);
  const double sheet[][2] = {{1.5, 0.016183}, {2, 0.023813},  {3, 0.031352}, {5, 0.040479},
                             {10, 0.056034},  {20, 0.071183}, {30, 0.076757}};
  for (const auto& row : sheet) EXPECT_NEAR(c.old_change(row[0]), row[1], 5e-7) << row[0];
  // 0.08 [1 - 0.263158 e^(-tau/0.5) - 0.736842 e^(-tau/10)], tau = t - 1.
  double worst = 0.0;
  for (int n = kStepsPerSecond; n <= c.comparison.steps; ++n) {
    const double tau = (n - kStepsPerSecond) * kStep;
    const double a = (0.5 - 3.0) / (0.5 - 10.0);
    const double b = (10.0 - 3.0) / (10.0 - 0.5);
    const double exact = 0.08 * (1 - a * std::exp(-tau / 0.5) - b * std::exp(-tau / 10.0));
    worst = std::max(worst, std::fabs(c.old_step(0, n) - 0.8 - exact));
  }
  EXPECT_LT(worst, 1e-5);
  EXPECT_NEAR(worst, 2.3e-8, 0.2e-8);
  // The exact mapping: the same response to rounding.
  // (NEW's 0.3 and 0.7 are single-precision values, as the record holds them.)
  EXPECT_EQ(c.out().outcome, Outcome::pass);
  EXPECT_LT(c.out().deviation, 1e-7);
  for (const auto& row : sheet) EXPECT_NEAR(c.new_change(row[0]), row[1], 5e-7) << row[0];
}

TEST(Governors, NoStartReasonsNameTheValueAndTheLimit) {
  Record zero_droop = kTgov1;
  zero_droop.values[0] = 0;
  EXPECT_STREQ(compare("tgov1", zero_droop, "tgov1", kTgov1).out().reason,
               "OLD: r = 0: tgov1 divides by it");
  Record negative = kTgov1;
  negative.values[5] = -1;  // t3, a denominator
  const Compared n = compare("tgov1", kTgov1, "tgov1", negative);
  EXPECT_EQ(n.out().outcome, Outcome::no_start_new);
  EXPECT_STREQ(n.out().reason, "NEW: t3 = -1: a negative time constant makes tgov1 unstable");
  // A negative lead is a hydro imitation: the test runs 60 s.
  Record hydro = kTgov1;
  hydro.values[4] = -1;
  EXPECT_EQ(compare("tgov1", hydro, "tgov1", hydro).comparison.steps, 60 * kStepsPerSecond);
  // NEW's limit below the standard load that OLD carries.
  Record low = kTgov1;
  low.values[2] = 0.5f;
  const Compared l = compare("tgov1", kTgov1, "tgov1", low);
  EXPECT_EQ(l.out().outcome, Outcome::no_start_new);
  EXPECT_STREQ(l.out().reason, "NEW: P0 = 0.800 above vmax = 0.500");
  // OLD that cannot carry it does not start either.
  EXPECT_EQ(compare("tgov1", low, "tgov1", low).out().outcome, Outcome::no_start_old);
  // OLD's limit holds 0.8 pu but not the step's change: P0 moves below the limit, and
  // to the middle of the limits where that does not fit.
  Record near = kTgov1;
  near.values[2] = 0.85f;
  EXPECT_NEAR(compare("tgov1", near, "tgov1", near).comparison.run[0].p0,
              0.85 - 0.004 / 0.05 - 0.02, 1e-6);
  near.values[3] = 0.79f;  // vmin
  const Compared middle = compare("tgov1", near, "tgov1", near);
  EXPECT_NEAR(middle.comparison.run[0].p0, (0.85 + 0.79) / 2, 1e-6);
  EXPECT_STREQ(middle.comparison.notes.text, "limits reached; isolated unit: limits reached");
  // A time constant below two steps is taken as 0, and said.
  Record fast = kTgov1;
  fast.values[1] = 0.003f;
  const Compared f = compare("tgov1", fast, "tgov1", fast);
  EXPECT_EQ(f.out().outcome, Outcome::pass);
  EXPECT_NE(std::string(f.comparison.notes.text).find("t1 = 0.003 below two steps"),
            std::string::npos);
  // Values a record does not give read 0, and that is said.
  const Record short_record{{0.05f, 0.5f, 1, 0}};
  EXPECT_NE(std::string(compare("tgov1", short_record, "tgov1", short_record).comparison.notes.text)
                .find("gives 4 of 7 values"),
            std::string::npos);
}

}  // namespace
