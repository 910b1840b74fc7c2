// gast's core against its two cascaded lags, and its extras told.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Governors, GastCoreAgainstItsTwoCascadedLags) {
  // The sheet's typical gast, its extras neutral; the temperature limit stays out.
  Record gast{std::vector<float>(34, 0.0f)};
  const float core[] = {0.05f, 0.4f, 0.1f, 3, 1.5f, 3, 1.5f, -0.2f, 0};
  for (int i = 0; i < 9; ++i) gast.values[static_cast<std::size_t>(i)] = core[i];
  gast.values[10] = gast.values[11] = gast.values[13] = 99;  // rmax linc ltrat
  gast.values[12] = 10;                                      // tltr
  gast.values[15] = 1;                                       // b
  const Compared c = compare("gast", gast, "gast", gast);
  EXPECT_EQ(c.out().outcome, Outcome::pass);
  EXPECT_STREQ(c.comparison.notes.text, "");  // nothing left out
  double worst = 0.0;
  for (int n = kStepsPerSecond; n <= c.comparison.steps; ++n) {
    const double tau = (n - kStepsPerSecond) * kStep;
    const double exact =
        0.08 * (1 - (0.4 * std::exp(-tau / 0.4) - 0.1 * std::exp(-tau / 0.1)) / 0.3);
    worst = std::max(worst, std::fabs(c.old_step(0, n) - 0.8 - exact));
  }
  EXPECT_LT(worst, 1e-5);
  // Non-neutral extras: core only, and a conversion that drops them is told.
  Record extras = gast;
  extras.values[10] = 0.15f;  // rmax
  const Compared e = compare("gast", extras, "gast", gast);
  EXPECT_EQ(e.out().outcome, Outcome::pass);
  EXPECT_TRUE(e.comparison.mapping_finding);
  EXPECT_NE(std::string(e.comparison.notes.text).find("rmax = 0.15"), std::string::npos)
      << e.comparison.notes.text;
}

}  // namespace
