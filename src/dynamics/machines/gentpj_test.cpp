// gentpj (and gentpf) on open circuit against the sheet: genrou against gentpj with
// saturation and without.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
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
      {0.09f,
       0.38f,
       {{3, 1.009431, 1.008845}, {9, 1.020137, 1.019670}, {20, 1.022550, 1.022492}},
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

}  // namespace
