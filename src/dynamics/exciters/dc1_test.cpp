// ieeet1 and esdc1a on the test machine: separately excited with saturation, the closed
// form of the final voltage without it, the self-excited convention for ke = 0, esdc1a's
// sheet numbers, its identity with ieeet1 and the lead-lag ieeet1 cannot hold.
#include <string>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

const Record kIeeet1{{0, 400, 0.04f, 7.3f, -7.3f, 1, 0.8f, 0.03f, 1, 0, 2.8f, 0.04f, 3.73f, 0.33f}};

TEST(Ieeet1, SeparatelyExcitedWithSaturation) {
  const Compared i = respond("ieeet1", kIeeet1);
  EXPECT_EQ(i.out(1).outcome, Outcome::pass);
  EXPECT_GT(i.old_at(1, 10.0), 1.03);
}

TEST(Ieeet1, FinalVoltageWithoutSaturation) {
  // The loop settles where ka (vref - Vt) = ke Vt, vref stepped from its start
  // 1 + ke/ka: Vt = ka (1 + ke/ka + 0.05) / (ka + ke).
  Record linear = kIeeet1;
  linear.values[11] = linear.values[13] = 0;
  const Compared l = respond("ieeet1", linear);
  EXPECT_NEAR(l.old_at(1, 10.0), 400 * (1.0 + 1.0 / 400 + 0.05) / 401, 1e-3);
  EXPECT_NEAR(l.old_at(0, 10.0), l.old_at(1, 10.0), 1e-3);  // Efd = Vt on the unsaturated machine
}

TEST(Ieeet1, KeZeroIsTheSelfExcitedFieldAndAlwaysTold) {
  Record self = kIeeet1;
  self.values[5] = 0;
  const Compared k = compare("ieeet1", self, "ieeet1", kIeeet1);
  EXPECT_TRUE(k.comparison.mapping_finding);  // every conversion from or to ke = 0 is told
  EXPECT_NE(std::string(k.comparison.notes.text).find("ke = 0 taken as"), std::string::npos);
  // A saturation pair no curve fits.
  Record bad = kIeeet1;
  bad.values[12] = bad.values[10];  // e2 = e1
  EXPECT_EQ(respond("ieeet1", bad).out(0).outcome, Outcome::invalid_data);
}

// An open library's esdc1a defaults, and the ieeet1 of the same values.
const Record kEsdc1a{{0, 400, 0.02f, 0, 0, 9, -5.43f, 1, 0.8f, 0.03f, 1, 5.25f, 0.03f, 7, 0.1f}};
const Record kIeeet1OfEsdc1a{
    {0, 400, 0.02f, 9, -5.43f, 1, 0.8f, 0.03f, 1, 0, 5.25f, 0.03f, 7, 0.1f}};

TEST(Esdc1a, ReproducesTheSheetAndIsIeeet1WithoutItsLeadLag) {
  const Compared c = respond("esdc1a", kEsdc1a);
  EXPECT_TRUE(
      same_rows(c, {{1.15904, 1.43976, 1.89774, 1.21149, 1.01781, 1.04909, 1.04987},
                    {1.000154, 1.001247, 1.005777, 1.054205, 1.054874, 1.049995, 1.049876}}));
  const Peak p = old_peak(c, 0);
  EXPECT_NEAR(p.value, 2.2314, 5e-5);
  EXPECT_NEAR(p.at, 1.173, 1e-3);
  EXPECT_NEAR(c.old_at(1, 10), 1 + 0.05 * 400 / 401.0, 1e-4);  // 1 + 0.05 ka / (ka + ke)
  for (const bool forward : {true, false}) {
    const Compared i = forward ? compare("esdc1a", kEsdc1a, "ieeet1", kIeeet1OfEsdc1a)
                               : compare("ieeet1", kIeeet1OfEsdc1a, "esdc1a", kEsdc1a);
    EXPECT_EQ(i.out(0).deviation, 0.0);
    EXPECT_EQ(i.out(1).deviation, 0.0);
  }
  // A lead-lag ieeet1 has no place for.
  Record lead = kEsdc1a;
  lead.values[3] = 10;  // tb
  lead.values[4] = 1;   // tc
  const Compared l = compare("esdc1a", lead, "ieeet1", kIeeet1OfEsdc1a);
  EXPECT_EQ(l.out(0).outcome, Outcome::not_representable);
  EXPECT_STREQ(l.out(0).reason, "NEW: ieeet1 has no lead-lag for OLD's tc = 1, tb = 10");
  // What the lead-lag changes against that ieeet1 (OLD), as the sheet gives it.
  const Compared r = compare("esdc1a", kEsdc1a, "esdc1a", lead);
  EXPECT_NEAR(r.out(0).deviation, 0.741, 0.0005);
  EXPECT_NEAR(r.out(1).deviation, 0.509, 0.0005);
}

}  // namespace
