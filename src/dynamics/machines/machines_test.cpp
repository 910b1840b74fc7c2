// The generators on open circuit against the sheet: genrou against gentpj and gensal, and
// the saturation pair.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "dynamics/saturation.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Generators, GenrouAgainstGentpjAsTheSheetHasThem) {
  // Vt of genrou and gentpj at 3, 9 and 20 s, with saturation and without, and their
  // deviation.
  const struct {
    float s1, s12;
    double vt[3][3];
    double deviation;
  } cases[] = {
      {0.09f, 0.38f, {{3, 1.009431, 1.008845}, {9, 1.020137, 1.019670}, {20, 1.022550, 1.022492}},
       0.030},
      {0, 0, {{3, 1.010724, 1.009939}, {9, 1.031061, 1.029581}, {20, 1.045027, 1.044064}}, 0.033},
  };
  for (const auto& k : cases) {
    const Compared c = compare("genrou", genrou(k.s1, k.s12), "gentpj", gentpj(k.s1, k.s12));
    EXPECT_NEAR(c.old_step(0, 0), 1.0, 1e-12);
    for (const auto& row : k.vt) {
      EXPECT_NEAR(c.old_at(0, row[0]), row[1], 5e-7) << row[0];
      EXPECT_NEAR(c.new_at(0, row[0]), row[2], 5e-7) << row[0];
    }
    EXPECT_NEAR(c.out().deviation, k.deviation, 0.0005);
    EXPECT_FALSE(c.comparison.mapping_finding);  // the same Efd0 on both sides
  }
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
