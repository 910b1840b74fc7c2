// The catalogue's commands: a skeleton of any two models is a rule file that loads and
// passes the checker without an error; unknown models are refused.
#include "rulecheck/catalogue_commands.h"

#include <string>
#include <vector>

#include "models/catalogue.h"
#include "rulecheck/check/check_testing.h"

namespace {

class Skeletons : public test_support::CheckedFolder {
 protected:
  // Loads the library of the working folder as the checker does; its findings.
  std::string check(int* errors) {
    std::string findings = check_folder(errors);
    EXPECT_TRUE(loaded_);
    return findings;
  }
};

TEST_F(Skeletons, EverySkeletonPassesTheCheckerWithoutAnError) {
  std::vector<const ModelEntry*> named;
  for (int i = 0; i < kCatalogueSize; ++i) {
    if (kCatalogue[i].names) named.push_back(&kCatalogue[i]);
  }
  std::string pairs;
  int in_library = 0;
  auto check_library_so_far = [&] {
    write_file("rule.txt", pairs);
    int errors = -1;
    const std::string findings = check(&errors);
    EXPECT_EQ(errors, 0) << findings;
    EXPECT_EQ(findings.find("position"), std::string::npos) << findings;
    pairs.clear();
    in_library = 0;
  };
  for (const ModelEntry* from : named) {
    for (const ModelEntry* to : named) {
      const std::string path = std::string("lib/") + from->name + "-" + to->name;
      std::FILE* f = std::fopen(path.c_str(), "wb");
      ASSERT_NE(f, nullptr);
      // Models of two kinds get no skeleton, and say so.
      if (from->kind != to->kind) {
        const std::string said =
            test_support::console_of([&] { EXPECT_FALSE(write_skeleton(f, from->name, to->name)); });
        EXPECT_NE(said.find("no rule converts one into the other"), std::string::npos) << said;
        std::fclose(f);
        std::remove(path.c_str());
        continue;
      }
      EXPECT_TRUE(write_skeleton(f, from->name, to->name));
      std::fclose(f);
      pairs += std::string(from->name) + " " + to->name + "\n";
      if (++in_library == kMaxRuleSets) check_library_so_far();
    }
  }
  check_library_so_far();
}

TEST_F(Skeletons, CarryWhatBothModelsNameAndAskForTheRest) {
  test_support::CapturedFile out;
  ASSERT_TRUE(write_skeleton(out.f, "TGOV1", "ieeeg1"));  // case ignored
  const std::string text = out.text();
  EXPECT_NE(text.find("\n@r         0.05\n@t1        0.5\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n# k: no tgov1 value of this name; give the mapping.\n$k=0 "),
            std::string::npos);
  EXPECT_NE(text.find("\n$t1=@t1              0.1       0.5       ($t1>=0.1)&&($t1<=0.5)\n"),
            std::string::npos);
  EXPECT_EQ(text.find(" \n"), std::string::npos);  // no line ends in a blank
}

TEST(CatalogueCommands, UnknownAndNamelessModelsAreRefusedWithTheirNames) {
  test_support::CapturedFile out;
  bool told = true;
  EXPECT_EQ(test_support::console_of([&] { told = show_model(out.f, "nosuch"); }),
            "Unknown model [nosuch]: rulecheck --models lists the catalogue\n");
  EXPECT_FALSE(told);
  const std::string long_name = std::string(100, 'x') + "\x01";
  EXPECT_EQ(
      test_support::console_of([&] { told = write_skeleton(out.f, long_name.c_str(), "x"); }),
      "Unknown model [" + std::string(64, 'x') + "...]: rulecheck --models lists the catalogue\n");
  EXPECT_EQ(test_support::console_of([&] { told = write_skeleton(out.f, "hygov4", "hygov"); }),
            "Model [hygov4] has no known parameter names: no skeleton can be written\n");
  EXPECT_FALSE(told);
  EXPECT_EQ(out.text(), "");  // nothing written for a refused model
}

}  // namespace
