// exst1 and esst1a on the test machine: the sheet's numbers, the closed form of the final
// voltage, a limit that is reached, and the reasons they cannot start.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Exciters, Exst1AndEsst1aReproduceTheSheet) {
  const Compared c = compare("exst1", kExst1, "esst1a", esst1a(99, -99, 1, 10));
  const double sheet[][3] = {{1.02, 1.65229, 1.000938}, {1.05, 1.92542, 1.004041},
                             {1.1, 1.94699, 1.010930},  {1.5, 1.29719, 1.047736},
                             {2, 1.05972, 1.055989},    {5, 1.04860, 1.049885},
                             {10, 1.04975, 1.049751}};
  for (const auto& row : sheet) {
    EXPECT_NEAR(c.old_at(0, row[0]), row[1], 5e-6) << row[0];
    EXPECT_NEAR(c.old_at(1, row[0]), row[2], 5e-7) << row[0];
  }
  // The two models are one set of equations: identical to the last digit.
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(c.out(i).outcome, Outcome::pass);
    EXPECT_EQ(c.out(i).deviation, 0.0);
  }
  // vamax = vamin = 0 (12 values written) is no limit, and said.
  EXPECT_EQ(compare("exst1", kExst1, "esst1a", esst1a(0, 0, 1, 10)).out(0).deviation, 0.0);
}

TEST(Exciters, FinalVoltageOfTheClosedForm) {
  // K (Vt0 + 1/K + 0.05)/(1 + K) for gains where no limit is reached.
  for (const float ka : {50.0f, 200.0f, 400.0f}) {
    Record r = kExst1;
    r.values[5] = ka;
    r.values[7] = 20;  // vrmax: out of the way
    const Compared c = compare("exst1", r, "exst1", r);
    EXPECT_NEAR(c.old_at(1, 10.0), ka * (1.0 + 1.0 / ka + 0.05) / (1.0 + ka), 1e-3) << ka;
  }
}

TEST(Exciters, ALimitThatIsReachedAndALeadLagLost) {
  // With tc = tb = 0 the output limit is reached: Efd rides Vt vrmax - kc Ifd.
  Record no_lead = kExst1;
  no_lead.values[3] = no_lead.values[4] = 0;
  const Compared ceiling = compare("exst1", no_lead, "esst1a", esst1a(99, -99, 0, 0));
  double peak = 0.0;
  int at = 0;
  for (int n = 0; n <= ceiling.comparison.steps; ++n) {
    if (ceiling.old_step(0, n) > peak) {
      peak = ceiling.old_step(0, n);
      at = n;
    }
  }
  EXPECT_NEAR(peak, 6.233, 0.0005);
  EXPECT_NEAR(at * kStep, 1.077, 0.001);
  // An "equivalent" limit vamax = vrmax is not neutral once a limit is reached.
  const Compared added = compare("exst1", no_lead, "esst1a", esst1a(6, -5, 0, 0));
  EXPECT_NEAR(added.out(0).deviation, 0.140, 0.0005);
  EXPECT_NEAR(added.out(1).deviation, 0.036, 0.0005);
  EXPECT_EQ(added.out(0).outcome, Outcome::fail);
  // A lead-lag lost fails.
  EXPECT_EQ(compare("exst1", kExst1, "esst1a", esst1a(99, -99, 0, 0)).out(1).outcome,
            Outcome::fail);
}

TEST(Exciters, NoStartAndNotSimulatedReasons) {
  // esst1a written in another program's order: ka reads 0 (tc1 lands in its place).
  const Record other_order{
      {0.02f, 0.2f, -0.2f, 1, 10, 0, 0, 200, 0.02f, 99, -99, 6, -5, 0.05f, 0, 1, 0, 0, 0, 0}};
  const Compared c = compare("exst1", kExst1, "esst1a", other_order);
  EXPECT_EQ(c.out(0).outcome, Outcome::no_start_new);
  EXPECT_STREQ(c.out(0).reason, "NEW: ka = 0: the regulator has no gain");
  // A limit that excludes the start.
  Record low = kExst1;
  low.values[7] = 0.5f;  // vrmax
  EXPECT_STREQ(compare("exst1", low, "exst1", low).out(0).reason,
               "OLD: Efd0 = 1.000 above vt vrmax - kc ifd = 0.450");
  // ta = 0 with rate feedback: an algebraic loop.
  Record loop = kExst1;
  loop.values[6] = 0;      // ta
  loop.values[10] = 0.1f;  // kf
  EXPECT_EQ(compare("exst1", loop, "exst1", loop).out(0).outcome, Outcome::not_simulated);
  // ta = 0 without it is solved algebraically.
  Record algebraic = kExst1;
  algebraic.values[6] = 0;
  EXPECT_EQ(compare("exst1", algebraic, "exst1", algebraic).out(0).outcome, Outcome::pass);
}

}  // namespace
