// pss1a's gain and phase against its transfer function written out here, its filter and
// transducer seen at the frequencies they act, and the values that stop it.
#include <cmath>
#include <complex>
#include <string>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;
using C = std::complex<double>;

// ks/(1 + s t6) s t5/(1 + s t5) 1/(1 + a1 s + a2 s^2) (1 + s t1)/(1 + s t2) (1 + s t3)/(1 + s t4)
// for j k a1 a2 t1 t2 t3 t4 t5 t6 ks ...
C pss1a_at(const Record& r, double f) {
  const auto v = [&r](int i) { return static_cast<double>(r.values[static_cast<std::size_t>(i)]); };
  const C s{0.0, 2 * M_PI * f};
  return v(10) / (1.0 + v(9) * s) * (v(8) * s / (1.0 + v(8) * s)) /
         (1.0 + v(2) * s + v(3) * s * s) * ((1.0 + v(4) * s) / (1.0 + v(5) * s)) *
         ((1.0 + v(6) * s) / (1.0 + v(7) * s));
}

void expect_transfer(const Record& r) {
  const Compared c = respond("pss1a", r);
  ASSERT_EQ(c.out(0).outcome, Outcome::pass) << c.out(0).reason;
  for (int i = 0; i < kFrequencyCount; ++i) {
    const C h = pss1a_at(r, kStabilizerFrequencies[i]);
    EXPECT_NEAR(c.t->gain_old[i], std::abs(h), 1e-9 * std::abs(h)) << i;
    EXPECT_NEAR(c.t->phase_old[i], std::arg(h) * 180 / M_PI, 1e-9) << i;
  }
}

TEST(Pss1a, GainAndPhaseOfItsTransferFunction) {
  expect_transfer(pss1a(0.15f, 0.03f, 2, 0, 10));
  expect_transfer(pss1a(0.2f, 0.04f, 3, 0.02f, 15));
  Record filtered = pss1a(0.15f, 0.03f, 10, 0.05f, 20);
  filtered.values[2] = 0.01f;   // a1
  filtered.values[3] = 0.002f;  // a2: a resonance near 3.6 Hz
  expect_transfer(filtered);
  // Washout of time constant 0: bypassed, the gain at 0.1 Hz that of the lead-lags alone.
  const Compared wire = respond("pss1a", pss1a(0.15f, 0.03f, 0, 0, 10));
  const double w = 2 * M_PI * 0.1;
  const C lead_lag = C{1, 0.15f * w} / C{1, 0.03f * w};              // the record's float values
  EXPECT_NEAR(wire.t->gain_old[0], 10 * std::norm(lead_lag), 1e-9);  // two equal lead-lags
}

TEST(Pss1a, ATransducerOrAFilterNewGivesIsSeen) {
  const Record plain = pss1a(0.15f, 0.03f, 10, 0, 20);
  Record transducer = plain;
  transducer.values[9] = 0.05f;  // t6: -17 deg at 1 Hz, more at 3 Hz
  const Compared t = compare("pss1a", plain, "pss1a", transducer);
  EXPECT_EQ(t.out(1).outcome, Outcome::fail);
  EXPECT_NEAR(t.out(1).deviation, std::atan(2 * M_PI * 3 * 0.05) * 180 / M_PI, 1e-6);
  EXPECT_DOUBLE_EQ(t.out(1).at, 3.0);
}

TEST(Pss1a, ValuesThatStopIt) {
  Record code = pss1a(0.15f, 0.03f, 2, 0, 10);
  code.values[0] = 1.5f;
  const Compared half = respond("pss1a", code);
  EXPECT_EQ(half.out(0).outcome, Outcome::invalid_data);
  EXPECT_STREQ(half.out(0).reason, "OLD: input code 1.5 is no signal's code");
  Record endless = pss1a(0.15f, 0.03f, 2, 0, 10);
  endless.values[10] = INFINITY;
  const Compared c = respond("pss1a", endless);
  EXPECT_EQ(c.out(0).outcome, Outcome::invalid_data);
  EXPECT_EQ(c.out(1).outcome, Outcome::invalid_data);
}

}  // namespace
