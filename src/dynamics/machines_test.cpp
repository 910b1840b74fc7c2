// Exciters and generators against the reference sheet's worked numbers and closed forms:
// exst1 and esst1a on the test machine, the exciter's final voltage, genrou against its
// two exponentials, genrou against gentpj and gensal, and the saturation pair.
#include "dynamics/machines.h"

#include <cmath>
#include <memory>
#include <vector>

#include "dynamics/comparison.h"
#include "dynamics/response_testing.h"
#include "test_support.h"

namespace {

using response_testing::compare;
using response_testing::Compared;
using response_testing::Record;

// The example's STEAM1 exst1, 12 values, and its esst1a of this format's order.
const Record kExst1{{0.02f, 0.2f, -0.2f, 1, 10, 200, 0.02f, 6, -5, 0.05f, 0, 1}};
Record esst1a(float vamax, float vamin, float tc, float tb) {
  return Record{
      {0.02f, 0.2f, -0.2f, tc, tb, 200, 0.02f, 6, -5, 0.05f, 0, 1, 0, 0, vamax, vamin, 0, 0, 0, 0}};
}

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
    if (ceiling.t->old_values[0][n] > peak) {
      peak = ceiling.t->old_values[0][n];
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

TEST(Exciters, SexsAndIeeet1StartAndRespond) {
  const Record sexs{{0.1f, 10, 200, 0.05f, -4, 4, 0, 0, -4, 4, 0}};
  const Compared s = compare("sexs", sexs, "sexs", sexs);
  EXPECT_EQ(s.out(1).outcome, Outcome::pass);
  EXPECT_NEAR(s.old_at(1, 10.0), 200 * (1.0 + 1.0 / 200 + 0.05) / 201, 1e-3);
  // ieeet1, separately excited (ke = 1) with saturation, and self-excited (ke = 0).
  Record t1{{0, 400, 0.04f, 7.3f, -7.3f, 1, 0.8f, 0.03f, 1, 0, 2.8f, 0.04f, 3.73f, 0.33f}};
  const Compared i = compare("ieeet1", t1, "ieeet1", t1);
  EXPECT_EQ(i.out(1).outcome, Outcome::pass);
  EXPECT_GT(i.old_at(1, 10.0), 1.03);
  // Without saturation the loop settles where ka (vref - Vt) = ke Vt, vref stepped from
  // its start 1 + ke/ka: Vt = ka (1 + ke/ka + 0.05) / (ka + ke).
  Record linear = t1;
  linear.values[11] = linear.values[13] = 0;
  const Compared l = compare("ieeet1", linear, "ieeet1", linear);
  EXPECT_NEAR(l.old_at(1, 10.0), 400 * (1.0 + 1.0 / 400 + 0.05) / 401, 1e-3);
  EXPECT_NEAR(l.old_at(0, 10.0), l.old_at(1, 10.0), 1e-3);  // Efd = Vt on the unsaturated machine
  Record self = t1;
  self.values[5] = 0;
  const Compared k = compare("ieeet1", self, "ieeet1", t1);
  EXPECT_TRUE(k.comparison.mapping_finding);  // every conversion from or to ke = 0 is told
  EXPECT_NE(std::string(k.comparison.notes.text).find("ke = 0 taken as"), std::string::npos);
}

// genrou STEAM1's d axis (tpdo 8, tppdo 0.03, ld 1.8, lpd 0.3, lppd 0.25, ll 0.2) with or
// without its saturation (s1 0.09, s12 0.38), as genrou (18 values) and gentpj (20).
Record genrou(float s1, float s12) {
  return Record{
      {8, 0.03f, 0.4f, 0.05f, 3, 0, 1.8f, 1.7f, 0.3f, 0.55f, 0.25f, 0.2f, s1, s12, 0, 0, 0, 0}};
}
Record gentpj(float s1, float s12) {
  return Record{{8,     0.03f, 0.4f, 0.05f, 3,   0, 1.8f, 1.7f, 0.3f, 0.55f,
                 0.25f, 0.25f, 0.2f, s1,    s12, 0, 0,    0,    0,    0}};
}

TEST(Generators, GenrouAgainstGentpjAsTheSheetHasThem) {
  const Compared sat = compare("genrou", genrou(0.09f, 0.38f), "gentpj", gentpj(0.09f, 0.38f));
  EXPECT_NEAR(sat.t->old_values[0][0], 1.0, 1e-12);
  const double with[][3] = {
      {3, 1.009431, 1.008845}, {9, 1.020137, 1.019670}, {20, 1.022550, 1.022492}};
  for (const auto& row : with) {
    EXPECT_NEAR(sat.old_at(0, row[0]), row[1], 5e-7) << row[0];
    EXPECT_NEAR(sat.new_at(0, row[0]), row[2], 5e-7) << row[0];
  }
  EXPECT_NEAR(sat.out().deviation, 0.030, 0.0005);
  EXPECT_FALSE(sat.comparison.mapping_finding);  // Efd0 1.09 both
  const Compared lin = compare("genrou", genrou(0, 0), "gentpj", gentpj(0, 0));
  const double without[][3] = {
      {3, 1.010724, 1.009939}, {9, 1.031061, 1.029581}, {20, 1.045027, 1.044064}};
  for (const auto& row : without) {
    EXPECT_NEAR(lin.old_at(0, row[0]), row[1], 5e-7) << row[0];
    EXPECT_NEAR(lin.new_at(0, row[0]), row[2], 5e-7) << row[0];
  }
  EXPECT_NEAR(lin.out().deviation, 0.033, 0.0005);
}

TEST(Generators, GenrouAgainstItsTwoExponentials) {
  // Unsaturated: E'q' = (Efd - E'q - K1d (E'q - psi))/tpdo, psi' = (E'q - psi)/tppdo.
  const Compared c = compare("genrou", genrou(0, 0), "genrou", genrou(0, 0));
  const double tpdo = 8, tppdo = 0.03f, ld = 1.8f, lpd = 0.3f, lppd = 0.25f, ll = 0.2f;
  const double k1 = (lpd - lppd) * (ld - lpd) / ((lpd - ll) * (lpd - ll));
  const double a = (lppd - ll) / (lpd - ll), b = (lpd - lppd) / (lpd - ll);
  // The system matrix of the deviations [dE'q, dpsi] and its eigenvalues.
  const double m11 = -(1 + k1) / tpdo, m12 = k1 / tpdo, m21 = 1 / tppdo, m22 = -1 / tppdo;
  const double tr = m11 + m22, det = m11 * m22 - m12 * m21;
  const double l1 = tr / 2 + std::sqrt(tr * tr / 4 - det),
               l2 = tr / 2 - std::sqrt(tr * tr / 4 - det);
  EXPECT_NEAR(l1, -0.1216, 5e-5);
  EXPECT_NEAR(l2, -34.27, 5e-3);
  // The step 0.05 of Efd: x(tau) = x_inf + c1 v1 e^(l1 tau) + c2 v2 e^(l2 tau), x(0) = 0.
  const double x_inf = 0.05;  // both states end 0.05 higher
  // Eigenvectors (m12, l - m11) and the coefficients from x(0) = -x_inf in both states.
  const double v1a = m12, v1b = l1 - m11, v2a = m12, v2b = l2 - m11;
  const double d = v1a * v2b - v2a * v1b;
  const double c1 = (-x_inf * v2b + x_inf * v2a) / d, c2 = (-v1a * x_inf + v1b * x_inf) / d;
  double worst = 0.0;
  for (int n = kStepsPerSecond; n <= c.comparison.steps; ++n) {
    const double tau = (n - kStepsPerSecond) * kStep;
    const double e1 = std::exp(l1 * tau), e2 = std::exp(l2 * tau);
    const double eq = x_inf + c1 * v1a * e1 + c2 * v2a * e2;
    const double psi = x_inf + c1 * v1b * e1 + c2 * v2b * e2;
    worst = std::max(worst, std::fabs(c.t->old_values[0][n] - (1.0 + a * eq + b * psi)));
  }
  EXPECT_LT(worst, 1e-5);
  EXPECT_NEAR(worst, 2.9e-8, 0.3e-8);
}

TEST(Generators, GensalAndTheSaturationPair) {
  // HYDRO2's d axis as gensal (15 values) and genrou (18).
  const Record gensal{{5, 0.05f, 0.1f, 3, 0, 1.0f, 0.6f, 0.3f, 0.22f, 0.15f, 0.1f, 0.3f, 0, 0, 0}};
  const Record as_genrou{
      {5, 0.05f, 0.5f, 0.1f, 3, 0, 1.0f, 0.6f, 0.3f, 0.59f, 0.22f, 0.15f, 0.1f, 0.3f, 0, 0, 0, 0}};
  const Compared c = compare("gensal", gensal, "genrou", as_genrou);
  EXPECT_EQ(c.out().outcome, Outcome::pass);
  EXPECT_NEAR(c.out().deviation, 0.0018, 0.00005);
  // The shifted gentpj of the old genrou rule: s1 0.38, s12 0.0025.
  const Compared shifted =
      compare("genrou", genrou(0.09f, 0.38f), "gentpj", gentpj(0.38f, 0.0025f));
  EXPECT_EQ(shifted.out().outcome, Outcome::invalid_data);
  EXPECT_TRUE(shifted.out().of_new);
  // An Efd0 that moves by more than 0.5 %.
  const Compared moved = compare("genrou", genrou(0.09f, 0.38f), "genrou", genrou(0.05f, 0.38f));
  EXPECT_TRUE(moved.comparison.mapping_finding);
  // The fitted curve passes through its two points.
  Saturation s;
  Verdict v{Problem::none, ""};
  ASSERT_TRUE(fit_saturation(0.09, 0.38, s, v));
  EXPECT_NEAR(s.of(1.0), 0.09, 1e-12);
  EXPECT_NEAR(s.of(1.2), 0.38, 1e-12);
  EXPECT_FALSE(fit_saturation(0.5, 0.4, s, v));  // s1 >= 1.2 s12
}

}  // namespace
