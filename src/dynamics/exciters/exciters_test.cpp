// sexs and ieeet1 on the test machine: their start and their final voltage.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

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

}  // namespace
