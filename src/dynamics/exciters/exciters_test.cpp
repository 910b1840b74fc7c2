// The exciter family: a record's model picks its struct, and a model outside the family
// is told.
#include <string>

#include "dynamics/exciters/exciter.h"
#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Exciters, TheRecordsModelPicksItsStruct) {
  const struct {
    const char* model;
    std::size_t index;
  } cases[] = {{"exst1", 0}, {"esst1a", 0}, {"sexs", 1}, {"ieeet1", 2}};
  for (const auto& c : cases) {
    const Record r{std::vector<float>(20, 1.0f)};
    Exciter e;
    Verdict verdict{Problem::none, ""};
    Notes notes;
    clear(notes);
    make_model(r.of(c.model), e, verdict, notes);
    EXPECT_EQ(e.model.index(), c.index) << c.model;
  }
  Exciter e;
  Verdict verdict{Problem::none, ""};
  Notes notes;
  clear(notes);
  EXPECT_FALSE(make_model(Record{{1}}.of("tgov1"), e, verdict, notes));
  EXPECT_STREQ(verdict.reason, "tgov1 is not a simulated exciter");
}

}  // namespace
