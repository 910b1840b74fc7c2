// gensal on open circuit against the sheet: its d axis as genrou, and the saturation
// pair (a shifted pair refused, an Efd0 that moves told, the curve through its points).
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "dynamics/saturation.h"
#include "test_support.h"

namespace {

using namespace response_testing;

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
