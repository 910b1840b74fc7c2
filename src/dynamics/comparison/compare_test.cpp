// The comparison of two records: models outside the simulated set or of another kind.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Comparison, ModelsOutsideTheSetOrOfAnotherKind) {
  const Compared c = compare("tgov1", kTgov1, "pss1a", pss1a(0.15f, 0.03f, 2, 0, 10));
  EXPECT_EQ(c.out().outcome, Outcome::not_simulated);
  EXPECT_STREQ(c.out().reason, "the two models are of different kinds");
  const Compared g = compare("ggov1", Record{{0.05f}}, "tgov1", kTgov1);
  EXPECT_EQ(g.out().outcome, Outcome::not_simulated);
  EXPECT_STREQ(outcome_name(Outcome::no_start_new), "NO_START_NEW");
}

}  // namespace
