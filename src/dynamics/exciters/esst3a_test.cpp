// esst3a on the test machine: its final voltage against the closed form of its two loops,
// a zero regulator time constant that runs, a zero inner time constant that cannot, and
// the record compared with itself.
#include <cmath>
#include <string>
#include <utility>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

// tr vimax vimin km tc tb ka ta vrmax vrmin kg kp ki vbmax kc xl vgmax thetap tm vmmax vmmin
const Record kTypical{{0,     0.2f, -0.2f, 7.93f, 1,      10,   200, 0,    10, -10, 1,
                       6.15f, 0,    6.9f,  0.2f,  0.081f, 5.8f, 0,   0.4f, 1,  0}};

Record with(Record r, int slot, float value) {
  r.values[static_cast<std::size_t>(slot)] = value;
  return r;
}

// On open circuit at rest Ifd = Efd = Vt and the source is VB = kp FEX(kc / kp) Vt, in
// proportion to Vt; Efd = VB km (ka vi - kg Efd) then gives, for any VB and km,
// Vt(inf) = 1 + 0.05 / (1 + kg / ka) after the +0.05 step of vref.
double final_vt(float ka, float kg) { return 1 + 0.05 / (1 + kg / static_cast<double>(ka)); }

TEST(Esst3a, FinalVoltageOfItsTwoLoops) {
  // The typical record, its lead-lag's slow tail settled within the test's 10 s.
  const Compared typical = respond("esst3a", kTypical);
  EXPECT_NEAR(typical.old_at(1, 0), 1.0, 1e-9);
  EXPECT_NEAR(typical.old_at(1, 10), final_vt(200, 1), 1e-4);
  // Without the lead-lag the loop settles within a second for any share of the feedback
  // (kg = 0 leaves the loop's whole gain, ka VB km, about 9,500, to swing between limits).
  const Record plain = with(with(kTypical, 4, 0), 5, 0);
  for (const auto& [ka, kg] : {std::pair{200.0f, 1.0f}, {200.0f, 4.0f}, {20.0f, 1.0f}}) {
    SCOPED_TRACE(testing::Message() << "ka " << ka << " kg " << kg);
    const Compared c = respond("esst3a", with(with(plain, 6, ka), 10, kg));
    ASSERT_EQ(c.out(1).outcome, Outcome::pass) << c.out(1).reason;
    EXPECT_NEAR(c.old_at(0, 0), 1.0, 1e-9);  // Efd at rest
    EXPECT_NEAR(c.old_at(1, 10), final_vt(ka, kg), 1e-4);
    EXPECT_NEAR(c.old_at(0, 10), c.old_at(1, 10), 1e-4);  // Efd = Vt once settled
  }
  // At rest vi = (kg + 1 / (kp FEX(kc / kp) km)) / ka: 0.20104 for ka 20, kg 4, above vimax.
  EXPECT_STREQ(respond("esst3a", with(with(plain, 6, 20), 10, 4)).out(1).reason,
               "OLD: vi0 = 0.201 above vimax = 0.200");
}

TEST(Esst3a, ZeroTimeConstants) {
  // ta = 0 is a plain clamp on the regulator (kTypical has it): no loop, it runs.
  EXPECT_EQ(respond("esst3a", kTypical).out(1).outcome, Outcome::pass);
  // tm = 0 closes the inner loop through Efd algebraically unless kg = 0.
  const Compared loop = respond("esst3a", with(kTypical, 18, 0));
  EXPECT_EQ(loop.out(0).outcome, Outcome::not_simulated);
  EXPECT_NE(std::string(loop.out(0).reason).find("tm = 0 with kg = 1"), std::string::npos)
      << loop.out(0).reason;
  const Compared open = respond("esst3a", with(with(kTypical, 18, 0), 10, 0));
  EXPECT_EQ(open.out(1).outcome, Outcome::pass) << open.out(1).reason;
  EXPECT_NEAR(open.old_at(1, 10), 1.05, 1e-4);
}

TEST(Esst3a, ASlowerInnerLoopIsSeen) {
  const Compared same = respond("esst3a", kTypical);
  EXPECT_EQ(same.out(0).deviation, 0);
  EXPECT_EQ(same.out(1).deviation, 0);
  // The inner loop's time constant ten times longer: the field voltage's rise changes.
  const Compared slow = compare("esst3a", kTypical, "esst3a", with(kTypical, 18, 4));
  EXPECT_GT(slow.out(0).deviation, 0.05);
  EXPECT_EQ(slow.out(0).outcome, Outcome::fail);
}

}  // namespace
