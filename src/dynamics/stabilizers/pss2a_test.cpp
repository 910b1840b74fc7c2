// pss2a's gain and phase against its two paths written out here (washouts, transducers,
// ramp-tracking filter, lead-lags), the second input compared as the first, and the
// values that stop it or that it leaves out.
#include <cmath>
#include <complex>
#include <string>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;
using C = std::complex<double>;

// j1 k1 j2 k2 tw1 tw2 tw3 tw4 t6 t7 ks2 ks3 ks4 t8 t9 n m ks1 t1 t2 t3 t4 vstmax vstmin a ta tb
const Record kTypical{{1,    0, 3, 0,  2,     2,     2,     0,     0,    2,     0.2f, 1, 1, 0.5f,
                       0.1f, 1, 5, 20, 0.15f, 0.03f, 0.15f, 0.03f, 0.1f, -0.1f, 1,    0, 0}};

Record with(Record r, int slot, float value) {
  r.values[static_cast<std::size_t>(slot)] = value;
  return r;
}

double at(const Record& r, int i) { return r.values[static_cast<std::size_t>(i)]; }

C washout(C s, double t) { return t > 0 ? t * s / (1.0 + t * s) : C{1.0, 0.0}; }

// The two paths to the output: from the first input through tw1, tw2, t6 and the filter;
// from the second through tw3, tw4, ks2/(1 + s t7), into the filter times ks3 and
// subtracted after it; then ks1 and the two lead-lags.
C pss2a_at(const Record& r, double f, bool second) {
  const C s{0.0, 2 * M_PI * f};
  const C w1 = washout(s, at(r, 4)) * washout(s, at(r, 5)) / (1.0 + at(r, 8) * s);
  const C w2 = washout(s, at(r, 6)) * washout(s, at(r, 7)) * at(r, 10) / (1.0 + at(r, 9) * s);
  const C filter =
      std::pow((1.0 + at(r, 13) * s) / std::pow(1.0 + at(r, 14) * s, at(r, 16)), at(r, 15));
  const C path = second ? at(r, 11) * filter * w2 - w2 : filter * w1;
  return at(r, 17) * path * (1.0 + at(r, 18) * s) / (1.0 + at(r, 19) * s) * (1.0 + at(r, 20) * s) /
         (1.0 + at(r, 21) * s);
}

TEST(Pss2a, GainAndPhaseOfItsFirstPath) {
  for (const Record& r : {kTypical, with(with(kTypical, 8, 0.02f), 16, 4),
                          with(with(kTypical, 15, 0), 16, 0)}) {  // the filter left out: n m = 0
    const Compared c = respond("pss2a", r);
    ASSERT_EQ(c.out(0).outcome, Outcome::pass) << c.out(0).reason;
    for (int i = 0; i < kFrequencyCount; ++i) {
      const C h = pss2a_at(r, kStabilizerFrequencies[i], false);
      EXPECT_NEAR(c.t->gain_old[i], std::abs(h), 1e-9 * std::abs(h)) << i;
      EXPECT_NEAR(c.t->phase_old[i], std::arg(h) * 180 / M_PI, 1e-9) << i;
    }
  }
}

TEST(Pss2a, TheSecondInputIsComparedAsTheFirst) {
  // ks3 = 1 with the filter's unit gain at rest: the second path nearly cancels at low
  // frequencies; doubling ks2 doubles it, which the first path's gain cannot show.
  const Record doubled = with(kTypical, 10, 0.4f);
  const Compared c = compare("pss2a", kTypical, "pss2a", doubled);
  EXPECT_EQ(c.out(0).outcome, Outcome::fail);
  EXPECT_NEAR(c.out(0).deviation, 1.0, 1e-9);  // |2 H2 / H2 - 1| at every frequency
  for (int i = 0; i < kFrequencyCount; ++i)
    EXPECT_NEAR(c.t->gain_new[i], c.t->gain_old[i], 1e-12) << i;  // the first path unchanged
  // Without a second input (j2 = 0 on both sides) ks2 does nothing.
  const Record single = with(kTypical, 2, 0);
  EXPECT_EQ(compare("pss2a", single, "pss2a", with(single, 10, 0.4f)).out(0).deviation, 0);
  EXPECT_GT(std::abs(pss2a_at(kTypical, 0.1, true)), 0);
}

TEST(Pss2a, ValuesThatStopItOrThatItLeavesOut) {
  const Compared half = respond("pss2a", with(kTypical, 15, 1.5f));
  EXPECT_EQ(half.out(0).outcome, Outcome::invalid_data);
  EXPECT_STREQ(half.out(0).reason,
               "OLD: n = 1.5, m = 5: the ramp-tracking filter needs small whole numbers");
  EXPECT_EQ(respond("pss2a", with(kTypical, 16, 100)).out(0).outcome, Outcome::invalid_data);
  const Compared extra = respond("pss2a", with(kTypical, 25, 0.5f));
  EXPECT_EQ(extra.out(0).outcome, Outcome::pass);
  EXPECT_NE(std::string(extra.comparison.notes.text).find("the extra block"), std::string::npos)
      << extra.comparison.notes.text;
}

}  // namespace
