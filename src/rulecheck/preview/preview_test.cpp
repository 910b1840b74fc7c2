// The preview of a data file: its counts as modelconv would make them, the warnings it
// lists per rule (records short of values, keywords that name another input, values the
// catalogue's model does not hold, lines led by a blank), and the models no rule converts.
#include "rulecheck/preview/preview.h"

#include "io/console.h"
#include "rules/rule_loader.h"
#include "test_support.h"

namespace {

class Previewing : public test_support::InLibraryFolder {
 protected:
  // Loads the library of the working folder.
  void load() {
    ConsoleSwitch quiet(nullptr);
    ASSERT_TRUE(load_rules(library_->table, LoadOptions{true, nullptr}, *failures_, *line_));
    compile_library(library_->table, library_->compiled);
  }
  // Previews the data file over the library loaded; returns its lines and findings.
  std::string preview(const char* data_file, bool* ok) {
    ConsoleSwitch quiet(nullptr);
    start_rule_state(library_->table, *rules_);
    test_support::CapturedFile out;
    Findings findings{out.f, 0, 0};
    *ok = run_preview(Preview{*library_, *rules_, *tally_, {nullptr, nullptr}, *selection_, *loop_,
                              *line_, findings, nullptr, nullptr},
                      data_file, nullptr);
    return out.text();
  }
  test_support::Zeroed<RuleLibrary> library_;
  test_support::Zeroed<LoadFailures> failures_;
  test_support::Zeroed<WholeLine> line_;
  test_support::Zeroed<RuleState> rules_;
  test_support::Zeroed<PreviewTally> tally_;
  test_support::Zeroed<BusSelection> selection_;
  test_support::Zeroed<LoopBuffers> loop_;
};

TEST_F(Previewing, CountsAsModelconvWould) {
  write_file("rule.txt", "genrou gentpj\n");
  write_file("lib/genrou-gentpj", "@h\n@end\n$a=@h 0 0 ($a>1) 5\n$b=1/@h\n$end\n");
  write_file("data.dyd",
             "genrou 1 \"A\" 1 \"1 \" : 2\n"
             "genrou 2 \"B\" 1 \"1 \" : 0\n"
             "gencls 3 \"C\" 1 \"1 \" : 0\n"
             "gencls 4 \"C\" 1 \"1 \" : 0\n"
             "esst1a 4 \"C\" 1 \"1 \" : 0\n");
  load();
  bool ok = false;
  EXPECT_EQ(preview("data.dyd", &ok),
            "Preview of [data.dyd], selection basis [all], no file written:\n"
            " 0 [genrou          ] [gentpj          ] found     2   converted     1   failed     1"
            "   suspect     1\n"
            "-- [gencls          ] found     2   no rule converts it\n"
            "-- [esst1a          ] found     1   no rule converts it\n");
  EXPECT_TRUE(ok);
  EXPECT_EQ(preview("missing.dyd", &ok), "missing.dyd: error: cannot open the data file\n");
  EXPECT_FALSE(ok);
}

TEST_F(Previewing, WarningsOfEachKindAreListedAtTheirLines) {
  write_file("rule.txt", "tgov1 tgov1\n");
  write_file("lib/tgov1-tgov1", "@r\n@t1\n@vmax\n@end\n$r=@r\n$end\n");
  write_file("data.dyd",
             "tgov1 1 \"A\" 1 \"1 \" : 0.05\n"                                  // 1 of 3 values
             "tgov1 2 \"B\" 1 \"1 \" : \"R\" 0.05 \"vmax\" 0.5 1 0 3 10 0 7\n"  // 8 values
             " 99\n"                                                            // led by a blank
             "tgov1 3 \"C\" 1 \"1 \" : 0.05 0.5 1 0 3 \"tw\" 10 0\n");
  load();
  bool ok = false;
  const std::string lines = preview("data.dyd", &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(tally_->short_records[0].count, 1);
  EXPECT_EQ(tally_->short_records[0].lines[0], 1);
  EXPECT_EQ(tally_->short_records[0].values[0], 1);
  // Keywords are read by position: "R" names @r (case ignored), "vmax" at the place of
  // @t1 does not.
  EXPECT_EQ(tally_->keywords[0].count, 1);
  EXPECT_STREQ(tally_->keywords[0].texts[0], "vmax");
  // Beyond what the rule reads, a keyword is held against the catalogue's name.
  EXPECT_EQ(tally_->catalogue_keywords[0].count, 1);
  EXPECT_STREQ(tally_->catalogue_keywords[0].texts[0], "tw");  // before t3
  EXPECT_EQ(tally_->extra_values[0].count, 1);  // 8 values, tgov1 has 7
  EXPECT_EQ(tally_->extra_values[0].lines[0], 2);
  EXPECT_EQ(tally_->unread_records[0], 2);
  EXPECT_EQ(tally_->most_values[0], 8);
  EXPECT_EQ(tally_->blank_led[0].count, 1);
  EXPECT_EQ(tally_->blank_led[0].lines[0], 3);
  EXPECT_NE(lines.find("data.dyd:3: warning: line begins with a blank after a converted record "
                       "of [tgov1]"),
            std::string::npos)
      << lines;
}

TEST_F(Previewing, ModelsNoRuleConvertsMostFrequentFirst) {
  write_file("rule.txt", "tgov1 tgov1\n");
  write_file("lib/tgov1-tgov1", "@r\n@end\n$r=@r\n$end\n");
  write_file("data.dyd",
             "gencls 1 \"A\" 1 \"1 \" : 0\n"
             "exst1 1 \"A\" 1 \"1 \" : 0\n"
             "exst1 2 \"A\" 1 \"1 \" : 0\n"
             "ieeest 1 \"A\" 1 \"1 \" : 0\n"
             "gencls 2 \"A\" 1 \"1 \" : 0\n"
             "comment without a colon\n");
  load();
  bool ok = false;
  preview("data.dyd", &ok);
  ASSERT_EQ(tally_->model_count, 3);
  int order[kMaxTalliedModels];
  models_by_count(*tally_, order);
  // Two of gencls and of exst1: the one met first comes first.
  EXPECT_STREQ(tally_->models[order[0]], "gencls");
  EXPECT_STREQ(tally_->models[order[1]], "exst1");
  EXPECT_STREQ(tally_->models[order[2]], "ieeest");
}

}  // namespace
