// sexs on the test machine: its start and its final voltage, and the values it does not
// simulate told where OLD and NEW differ in them.
#include <string>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

const Record kSexs{{0.1f, 10, 200, 0.05f, -4, 4, 0, 0, -4, 4, 0}};

TEST(Sexs, StartsAndSettlesWhereItsGainPutsIt) {
  const Compared s = respond("sexs", kSexs);
  EXPECT_EQ(s.out(1).outcome, Outcome::pass);
  EXPECT_NEAR(s.old_at(1, 10.0), 200 * (1.0 + 1.0 / 200 + 0.05) / 201, 1e-3);
  EXPECT_FALSE(s.comparison.mapping_finding);
}

TEST(Sexs, ItsUnconfirmedTailIsComparedNotSimulated) {
  Record other_tail = kSexs;
  other_tail.values[6] = 0.08f;  // kc, a candidate name of value 7
  const Compared c = compare("sexs", kSexs, "sexs", other_tail);
  EXPECT_EQ(c.out(0).outcome, Outcome::pass);  // the test cannot see it
  EXPECT_TRUE(c.comparison.mapping_finding);
  EXPECT_NE(std::string(c.comparison.notes.text).find("sexs values 7 to 11"), std::string::npos);
  // A gain of 0 cannot hold Efd0.
  Record no_gain = kSexs;
  no_gain.values[2] = 0;
  EXPECT_STREQ(compare("sexs", no_gain, "sexs", kSexs).out(0).reason,
               "OLD: k = 0: the regulator has no gain");
}

}  // namespace
