// The catalogue holds together: names match counts, no name twice in a model, every model
// the checks and the simulation name is there, and lookups ignore case.
#include "models/catalogue.h"

#include <cmath>
#include <cstring>
#include <set>
#include <string>

#include "test_support.h"

namespace {

TEST(Catalogue, EveryEntryIsConsistent) {
  std::set<std::string> models;
  for (int i = 0; i < kCatalogueSize; ++i) {
    const ModelEntry& m = kCatalogue[i];
    EXPECT_TRUE(models.insert(m.name).second) << m.name << " is listed twice";
    EXPECT_GT(m.count, 0) << m.name;
    EXPECT_GE(m.confirmed_to, 0) << m.name;
    EXPECT_LE(m.confirmed_to, m.count) << m.name;
    EXPECT_GT(std::strlen(m.description), 20u) << m.name;
    EXPECT_GT(std::strlen(m.notes), 20u) << m.name;
    EXPECT_EQ(m.names == nullptr, m.typical == nullptr) << m.name;
    if (!m.names) continue;
    std::set<std::string> names;
    for (int k = 0; k < m.count; ++k) {
      const std::string name = m.names[k];
      ASSERT_FALSE(name.empty()) << m.name << " position " << k + 1;
      EXPECT_TRUE(names.insert(name).second) << m.name << ": [" << name << "] twice";
      for (char c : name) EXPECT_FALSE(c >= 'A' && c <= 'Z') << m.name << ": " << name;
      // A name a rule file can hold with its "@" or "$".
      EXPECT_LE(name.size() + 1, 15u) << m.name << ": " << name;
      EXPECT_TRUE(std::isfinite(m.typical[k])) << m.name << ": " << name;
      EXPECT_EQ(position_of(m, name.c_str()), k) << m.name << ": " << name;
    }
  }
}

TEST(Catalogue, HoldsTheModelsOfTheReferenceSheetWithTheirCounts) {
  const struct {
    const char* name;
    int count;
    ModelKind kind;
    bool confirmed;
  } expected[] = {
      {"tgov1", 7, ModelKind::governor, true},      {"ieeeg1", 35, ModelKind::governor, true},
      {"gast", 34, ModelKind::governor, true},      {"hygov", 12, ModelKind::governor, true},
      {"ggov1", 35, ModelKind::governor, true},     {"ieeeg3", 29, ModelKind::governor, true},
      {"hyg3", 35, ModelKind::governor, true},      {"pidgov", 23, ModelKind::governor, true},
      {"hygov4", 38, ModelKind::governor, false},   {"exst1", 19, ModelKind::exciter, true},
      {"esst1a", 20, ModelKind::exciter, true},     {"sexs", 11, ModelKind::exciter, false},
      {"ieeet1", 14, ModelKind::exciter, false},    {"exst3a", 18, ModelKind::exciter, true},
      {"exac1", 17, ModelKind::exciter, false},     {"esst4b", 18, ModelKind::exciter, false},
      {"ieeest", 18, ModelKind::stabilizer, false}, {"pss1a", 15, ModelKind::stabilizer, true},
      {"pss2a", 27, ModelKind::stabilizer, true},   {"genrou", 18, ModelKind::generator, true},
      {"gensal", 15, ModelKind::generator, true},   {"gentpj", 20, ModelKind::generator, true},
      {"gentpf", 19, ModelKind::generator, false},  {"gencc", 21, ModelKind::generator, true},
  };
  for (const auto& e : expected) {
    const ModelEntry* m = find_model(e.name);
    ASSERT_NE(m, nullptr) << e.name;
    EXPECT_EQ(m->count, e.count) << e.name;
    EXPECT_EQ(m->kind, e.kind) << e.name;
    EXPECT_EQ(order_confirmed(*m), e.confirmed) << e.name;
  }
  // The positions the sheet's common mistakes turn on.
  const ModelEntry& gentpj = *find_model("gentpj");
  EXPECT_EQ(position_of(gentpj, "lppq"), 11);
  EXPECT_EQ(position_of(gentpj, "ll"), 12);
  const ModelEntry& esst1a = *find_model("esst1a");
  EXPECT_EQ(position_of(esst1a, "ka"), 5);
  EXPECT_EQ(position_of(esst1a, "tc1"), 12);
  EXPECT_EQ(find_model("gentpf")->confirmed_to, 12);  // up to lppq
  EXPECT_EQ(find_model("sexs")->confirmed_to, 6);
}

TEST(Catalogue, LookupsIgnoreCaseAndRefuseWhatIsNotThere) {
  EXPECT_EQ(find_model("GENROU"), find_model("genrou"));
  EXPECT_EQ(find_model("genrou1"), nullptr);
  EXPECT_EQ(find_model("genro"), nullptr);
  EXPECT_EQ(find_model(""), nullptr);
  EXPECT_EQ(find_model(nullptr), nullptr);
  EXPECT_EQ(find_model(std::string(5000, 'g').c_str()), nullptr);
  const ModelEntry& tgov1 = *find_model("tgov1");
  EXPECT_EQ(position_of(tgov1, "@T3"), 5);
  EXPECT_EQ(position_of(tgov1, "$dt"), 6);
  EXPECT_EQ(position_of(tgov1, "@"), -1);
  EXPECT_EQ(position_of(tgov1, ""), -1);
  EXPECT_EQ(position_of(tgov1, "t"), -1);
  EXPECT_EQ(position_of(*find_model("hygov4"), "r"), -1);  // no names known
}

}  // namespace
