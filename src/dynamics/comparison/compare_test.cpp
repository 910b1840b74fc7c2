// The comparison of two records: models outside the simulated set or of another kind, and
// the one list of the models it simulates.
#include <cmath>
#include <string>
#include <vector>

#include <type_traits>
#include <utility>
#include <variant>

#include "dynamics/comparison/response_testing.h"
#include "dynamics/exciters/exciter.h"
#include "dynamics/governors/governor.h"
#include "dynamics/machines/machine.h"
#include "dynamics/stabilizers/stabilizer.h"
#include "test_support.h"

namespace {

using namespace response_testing;

TEST(Comparison, ModelsOutsideTheSetOrOfAnotherKind) {
  const Compared c = compare("tgov1", kTgov1, "pss1a", pss1a(0.15f, 0.03f, 2, 0, 10));
  EXPECT_EQ(c.out().outcome, Outcome::not_simulated);
  EXPECT_STREQ(c.out().reason, "the two models are of different kinds");
  const Compared g = compare("gencc", Record{{8}}, "genrou", genrou(0, 0));
  EXPECT_EQ(g.out().outcome, Outcome::not_simulated);
  EXPECT_STREQ(outcome_name(Outcome::no_start_new), "NO_START_NEW");
}

}  // namespace

namespace {

// The one list of simulated models: the catalogue's rows with a simulation, each the
// name of a struct in its kind's family, and every struct's names such rows.
template <class Family>
void expect_family_matches_catalogue(ModelKind kind) {
  for (int i = 0; i < kCatalogueSize; ++i) {
    const ModelEntry& m = kCatalogue[i];
    if (m.kind != kind) continue;
    EXPECT_EQ(m.simulation != nullptr, family_simulates<Family>(m.name)) << m.name;
  }
  const auto check = [&](auto* model) {
    for (const char* name : std::remove_pointer_t<decltype(model)>::kModels) {
      const ModelEntry* entry = find_model(name);
      ASSERT_NE(entry, nullptr) << name;
      EXPECT_EQ(entry->kind, kind) << name;
      EXPECT_NE(entry->simulation, nullptr) << name;
    }
  };
  [&]<std::size_t... I>(std::index_sequence<I...>) {
    (check(static_cast<std::variant_alternative_t<I, Family>*>(nullptr)), ...);
  }(std::make_index_sequence<std::variant_size_v<Family>>());
}

TEST(Comparison, EverySimulatedModelHasOneHome) {
  expect_family_matches_catalogue<GovernorModel>(ModelKind::governor);
  expect_family_matches_catalogue<ExciterModel>(ModelKind::exciter);
  expect_family_matches_catalogue<StabilizerModel>(ModelKind::stabilizer);
  expect_family_matches_catalogue<MachineModel>(ModelKind::generator);
}

}  // namespace
