// The models against the reference sheet's worked numbers and closed forms, and the
// comparison's outcomes for exact and known-wrong mappings.
#include "dynamics/comparison.h"

#include <cmath>
#include <memory>
#include <vector>

#include "dynamics/governors.h"
#include "dynamics/response_testing.h"
#include "test_support.h"

namespace {

using response_testing::compare;
using response_testing::Compared;
using response_testing::Record;

// The sheet's tgov1 and its two ieeeg1 mappings.
const Record kTgov1{{0.05f, 0.5f, 1, 0, 3, 10, 0}};
Record ieeeg1(float k, float t3, float t4, float k1, float t5, float k3) {
  Record r{std::vector<float>(35, 0.0f)};
  r.values[0] = k;
  r.values[3] = t3;
  r.values[4] = 1;   // uo
  r.values[5] = -1;  // uc
  r.values[6] = 1;   // pmax
  r.values[8] = t4;
  r.values[9] = k1;
  r.values[11] = t5;
  r.values[12] = k3;
  return r;
}
const Record kIeeeg1Shipped = ieeeg1(20, 0.5f, 10, 1, 0, 0);
const Record kIeeeg1Exact = ieeeg1(20, 0.5f, 0, 0.3f, 10, 0.7f);

TEST(Governors, Tgov1ReproducesTheSheetAndItsTwoExponentials) {
  const Compared c = compare("tgov1", kTgov1, "ieeeg1", kIeeeg1Exact);
  EXPECT_EQ(c.comparison.p0, 0.8);
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
    worst = std::max(worst, std::fabs(c.t->old_values[0][n] - 0.8 - exact));
  }
  EXPECT_LT(worst, 1e-5);
  EXPECT_NEAR(worst, 2.3e-8, 0.2e-8);
  // The exact mapping: the same response to rounding.
  // (NEW's 0.3 and 0.7 are single-precision values, as the record holds them.)
  EXPECT_EQ(c.out().outcome, Outcome::pass);
  EXPECT_LT(c.out().deviation, 1e-7);
  for (const auto& row : sheet) EXPECT_NEAR(c.new_change(row[0]), row[1], 5e-7) << row[0];
}

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

TEST(Governors, GastCoreAgainstItsTwoCascadedLags) {
  // The sheet's typical gast, its extras neutral; the temperature limit stays out.
  Record gast{std::vector<float>(34, 0.0f)};
  const float core[] = {0.05f, 0.4f, 0.1f, 3, 1.5f, 3, 1.5f, -0.2f, 0};
  for (int i = 0; i < 9; ++i) gast.values[static_cast<std::size_t>(i)] = core[i];
  gast.values[10] = gast.values[11] = gast.values[13] = 99;  // rmax linc ltrat
  gast.values[12] = 10;                                      // tltr
  gast.values[15] = 1;                                       // b
  const Compared c = compare("gast", gast, "gast", gast);
  EXPECT_EQ(c.out().outcome, Outcome::pass);
  EXPECT_STREQ(c.comparison.notes.text, "");  // nothing left out
  double worst = 0.0;
  for (int n = kStepsPerSecond; n <= c.comparison.steps; ++n) {
    const double tau = (n - kStepsPerSecond) * kStep;
    const double exact =
        0.08 * (1 - (0.4 * std::exp(-tau / 0.4) - 0.1 * std::exp(-tau / 0.1)) / 0.3);
    worst = std::max(worst, std::fabs(c.t->old_values[0][n] - 0.8 - exact));
  }
  EXPECT_LT(worst, 1e-5);
  // Non-neutral extras: core only, and a conversion that drops them is told.
  Record extras = gast;
  extras.values[10] = 0.15f;  // rmax
  const Compared e = compare("gast", extras, "gast", gast);
  EXPECT_EQ(e.out().outcome, Outcome::pass);
  EXPECT_TRUE(e.comparison.mapping_finding);
  EXPECT_NE(std::string(e.comparison.notes.text).find("rmax = 0.15"), std::string::npos)
      << e.comparison.notes.text;
}

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
  EXPECT_NEAR(c.t->old_values[0][0], 0.8, 1e-12);
  const double sheet[][2] = {{1.0, 0.00176}, {2, 0.00131},  {5, 0.01683}, {10, 0.02558},
                             {20, 0.03957},  {30, 0.05009}, {60, 0.06841}};
  for (const auto& row : sheet) EXPECT_NEAR(c.old_change(row[0]), row[1], 5e-6) << row[0];
  // The dip: water inertia.
  int lowest = 0;
  for (int n = 0; n <= c.comparison.steps; ++n)
    if (c.t->old_values[0][n] < c.t->old_values[0][lowest]) lowest = n;
  EXPECT_NEAR(c.old_change(lowest * kStep), -0.00404, 5e-6);
  EXPECT_NEAR(lowest * kStep, 1.40, 0.005);
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
  EXPECT_NEAR(compare("tgov1", near, "tgov1", near).comparison.p0, 0.85 - 0.004 / 0.05 - 0.02,
              1e-6);
  near.values[3] = 0.79f;  // vmin
  const Compared middle = compare("tgov1", near, "tgov1", near);
  EXPECT_NEAR(middle.comparison.p0, (0.85 + 0.79) / 2, 1e-6);
  EXPECT_STREQ(middle.comparison.notes.text, "limits reached");
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

// The stabilizer records of the sheet's sets A and B, with ieeest's a1 ... a6 = 0.
Record ieeest(float t1, float t2, float t5, float t6, float ks) {
  return Record{{1, 0, 0, 0, 0, 0, 0, t1, t2, t1, t2, t5, t6, ks, 0.1f, -0.1f, 0, 0}};
}
Record pss1a(float t1, float t2, float t5, float t6, float ks) {
  return Record{{1, 0, 0, 0, t1, t2, t1, t2, t5, t6, ks, 0.1f, -0.1f, 0, 0}};
}

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

TEST(Comparison, ModelsOutsideTheSetOrOfAnotherKind) {
  const Compared c = compare("tgov1", kTgov1, "pss1a", pss1a(0.15f, 0.03f, 2, 0, 10));
  EXPECT_EQ(c.out().outcome, Outcome::not_simulated);
  EXPECT_STREQ(c.out().reason, "the two models are of different kinds");
  const Compared g = compare("ggov1", Record{{0.05f}}, "tgov1", kTgov1);
  EXPECT_EQ(g.out().outcome, Outcome::not_simulated);
  EXPECT_STREQ(outcome_name(Outcome::no_start_new), "NO_START_NEW");
}

}  // namespace
