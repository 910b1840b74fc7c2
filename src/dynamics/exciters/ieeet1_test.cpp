// ieeet1 on the test machine: separately excited with saturation, the closed form of its
// final voltage without it, and the self-excited convention for ke = 0.
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

}  // namespace
