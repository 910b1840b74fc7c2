// Loading rule libraries: sections, tokens, limits, messages and the report.
#include "rules/rule_loader.h"

#include "rules/rules_report.h"
#include "test_support.h"

namespace {

class RuleLoading : public test_support::InLibraryFolder {
 protected:
  void SetUp() override { InLibraryFolder::SetUp(); }
  // Loads as the programs do, and returns the console messages: the pairs echoed, and
  // the failure as the program reports it. *ok gets the result.
  std::string load(bool* ok = nullptr, const char* missing = kModelconvMissingRuleFile) {
    bool result = false;
    const std::string messages = test_support::console_of([&] {
      result = load_rules(rule_table, LoadOptions{false, nullptr}, *failures_, *line_);
      if (!result) print_load_failure(failures_->items[0], missing);
    });
    if (ok) *ok = result;
    return messages;
  }
  test_support::Zeroed<RuleTable> table_;
  RuleTable& rule_table = *table_;
  test_support::Zeroed<LoadFailures> failures_;
  test_support::Zeroed<WholeLine> line_;
  const RuleSet& rule(int i) { return rule_table.rule_sets[i]; }
};

constexpr const char* kGenrouRules =
    "# inputs of genrou\n"
    "@h 4.5\n"
    "@d\n"
    "\n"
    "@end of inputs\n"
    "$h=@h*2,0.5,1.5,($h>0),NULL1\n"
    "# a comment is not counted\n"
    "$d=@d 0 10 ($d>=0)\n"
    "$x\n"
    "$end\n"
    "$never=1\n";

TEST_F(RuleLoading, SectionsFillTheRuleSet) {
  write_file("rule.txt", "# conversions\ngenrou gensal extra\n");
  write_file("lib/genrou-gensal", kGenrouRules);
  bool ok;
  EXPECT_EQ(load(&ok), "[genrou  ] [gensal  ]\n");
  ASSERT_TRUE(ok);
  ASSERT_EQ(rule_table.rule_count, 1);
  const RuleSet& r = rule(0);
  EXPECT_STREQ(r.from_model, "genrou");
  EXPECT_STREQ(r.to_model, "gensal");
  ASSERT_EQ(r.input_count, 3);  // the empty line counts, with an empty name
  EXPECT_STREQ(r.input_names[0], "@h");
  EXPECT_EQ(r.input_start[0], 4.5f);
  EXPECT_STREQ(r.input_names[2], "");
  ASSERT_EQ(r.output_count, 3);
  EXPECT_STREQ(r.output_names[0], "$h");
  EXPECT_STREQ(r.expressions[0], "$h=@h*2");
  EXPECT_EQ(r.low_limits[0], 0.5f);
  EXPECT_EQ(r.high_limits[0], 1.5f);
  EXPECT_EQ(r.output_start[0], 1.0f);  // the mid value of the limits
  EXPECT_STREQ(r.test_expressions[0], "($h>0)");
  EXPECT_STREQ(r.replace_expressions[0], "NULL1");
  EXPECT_EQ(r.replacements[0], Replacement::never);  // decided once, at load
  EXPECT_STREQ(r.replace_expressions[1], "NULL");
  EXPECT_EQ(r.replacements[1], Replacement::none);
  EXPECT_EQ(r.output_start[1], 5.0f);
  // An output line with only a name: limits 0, empty test, no replacement.
  EXPECT_STREQ(r.output_names[2], "$x");
  EXPECT_STREQ(r.expressions[2], "$x");
  EXPECT_EQ(r.output_start[2], 0.0f);
  EXPECT_STREQ(r.test_expressions[2], "");
  EXPECT_STREQ(r.replace_expressions[2], "NULL");
}

TEST_F(RuleLoading, EndLinesCountOnlyInTheFirstColumn) {
  write_file("rule.txt", "a b\n");
  write_file("lib/a-b", "@p\n  @end\n$o=1\n$end\n");
  load();
  const RuleSet& r = rule(0);
  EXPECT_EQ(r.input_count, 4);
  EXPECT_STREQ(r.input_names[1], "@end");
  EXPECT_STREQ(r.input_names[2], "$o=1");
  EXPECT_EQ(r.output_count, 0);
}

TEST_F(RuleLoading, SelectionListEndsAtAnEmptyLineAndSkipsShortLines) {
  write_file("rule.txt", "a b\n   \nlonely\nc,d\n\ne f\n");
  write_file("lib/a-b", "");
  write_file("lib/c-d", "");
  EXPECT_EQ(load(), "[a       ] [b       ]\n[c       ] [d       ]\n");
  EXPECT_EQ(rule_table.rule_count, 2);
}

TEST_F(RuleLoading, LongLinesAreReadWhole) {
  std::string comment = "# " + std::string(300, 'x') + " y z\n";
  write_file("rule.txt", comment + "a b\n");
  write_file("lib/a-b", comment + "@p 1" + std::string(200, ' ') + "\n@end\n" + comment +
                            "$o=@p 0 " + std::string(200, ' ') + "4\n");
  bool ok;
  EXPECT_EQ(load(&ok), "[a       ] [b       ]\n");
  EXPECT_TRUE(ok);
  EXPECT_EQ(rule(0).input_count, 1);
  EXPECT_EQ(rule(0).output_count, 1);
  EXPECT_EQ(rule(0).output_start[0], 2.0f);
}

TEST_F(RuleLoading, WindowsLineEndsLoadLikePlainOnes) {
  write_file("rule.txt", "genrou gensal\r\n\r\nx y\r\n");
  std::string lf = kGenrouRules;
  std::string crlf;
  for (char c : lf) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  write_file("lib/genrou-gensal", crlf);
  load();
  ASSERT_EQ(rule_table.rule_count, 1);
  RuleSet with_cr = rule(0);
  reset_rule_table(rule_table);
  write_file("rule.txt", "genrou gensal\n");
  write_file("lib/genrou-gensal", lf);
  load();
  EXPECT_EQ(std::memcmp(&with_cr, &rule(0), sizeof with_cr), 0);
  EXPECT_STREQ(with_cr.replace_expressions[1], "NULL");
}

TEST_F(RuleLoading, MissingFiles) {
  bool ok;
  EXPECT_EQ(load(&ok), "Unable to open the rule selection file\n");
  EXPECT_FALSE(ok);
  write_file("rule.txt", "a b\n");
  reset_rule_table(rule_table);
  EXPECT_EQ(load(&ok), "[a       ] [b       ]\nUnable to open the MCDF [lib/a-b]\n");
  EXPECT_FALSE(ok);
  reset_rule_table(rule_table);
  mkdir("lib/a-b", 0755);  // a folder is no rule file
  EXPECT_EQ(load(&ok, kModeltestMissingRuleFile),
            "[a       ] [b       ]\nUnable to open the rule file [lib/a-b]\n");
  EXPECT_FALSE(ok);
}

TEST_F(RuleLoading, LimitsStopTheLoad) {
  std::string pairs;
  for (int i = 0; i < 129; ++i) pairs += "m" + std::to_string(i) + " n\n";
  write_file("rule.txt", pairs);
  bool ok;
  std::string messages = load(&ok);
  EXPECT_FALSE(ok);
  EXPECT_NE(
      messages.find("[m127    ] [n       ]\nRule library limit exceeded in [rule.txt] line 129: "
                    "more than 128 pairs\n"),
      std::string::npos);

  reset_rule_table(rule_table);
  write_file("rule.txt", "# x\na bcdefghijklmnopq\n");
  EXPECT_EQ(load(&ok),
            "Rule library limit exceeded in [rule.txt] line 2: name longer than 15 characters\n");

  reset_rule_table(rule_table);
  write_file("rule.txt", "a b\n");
  std::string inputs;
  for (int i = 0; i < 65; ++i) inputs += "@p" + std::to_string(i) + "\n";
  write_file("lib/a-b", "#\n" + inputs);
  EXPECT_EQ(load(&ok),
            "[a       ] [b       ]\nRule library limit exceeded in [lib/a-b] line 66: "
            "more than 64 lines in a section\n");

  const struct {
    std::string output_line;
    const char* what;
  } cases[] = {
      {"$abcdefghijklmnop=1", "name longer than 15 characters"},
      {"$a=" + std::string(61, '1'), "expression longer than 63 characters"},
      {"$a=1 0 0 " + std::string(64, '1'), "expression longer than 63 characters"},
      {"$a=1 0 0 1 " + std::string(64, '1'), "expression longer than 63 characters"},
      // the name is checked before the expressions
      {"$abcdefghijklmnop=" + std::string(60, '1'), "name longer than 15 characters"},
  };
  for (const auto& c : cases) {
    reset_rule_table(rule_table);
    write_file("lib/a-b", "@end\n" + c.output_line + "\n");
    EXPECT_EQ(
        load(&ok),
        std::string("[a       ] [b       ]\nRule library limit exceeded in [lib/a-b] line 2: ") +
            c.what + "\n")
        << c.output_line;
    EXPECT_FALSE(ok);
  }
  // Exactly at the limits loads.
  reset_rule_table(rule_table);
  write_file("lib/a-b", "@abcdefghijklmn\n@end\n$abcdefghijklmn=" + std::string(47, '1') + "\n");
  load(&ok);
  EXPECT_TRUE(ok);
}

TEST_F(RuleLoading, ReportAndSummaryBytes) {
  write_file("rule.txt", "genrou gensal\nexst1 ieeet1\n");
  write_file("lib/genrou-gensal", kGenrouRules);
  write_file("lib/exst1-ieeet1", "@end\n$ka=1\n");
  load();
  test_support::Zeroed<RuleState> state;
  state->counts[0].found = 3;
  state->counts[0].converted = 12345;
  const std::string messages = test_support::console_of([&] {
    std::FILE* report = write_rules_report(rule_table);
    write_rule_summary(rule_table, *state, report);
    std::fclose(report);
  });
  const std::string summary =
      " 0 [genrou          ] [gensal          ] found     3   converted 12345\n"
      " 1 [exst1           ] [ieeet1          ] found     0   converted     0\n";
  EXPECT_EQ(messages, "Completed reading the rule file\nRead   2 rules\n" + summary);
  const std::string pad64 = std::string(64, ' ');
  EXPECT_EQ(
      read_file("rulesused.txt"),
      "From                To\nModel               Model\n#\n"
      "genrou              gensal          \n"
      "exst1               ieeet1          \n"
      "#\n#\n#\n# Rule Files #\n"
      "#\ngenrou              gensal          \n#\n"
      "Input parameter     Output parameter       Low limit     High Limit   Test expn\n#\n"
      "@h                  $h=@h*2                  0.5000         1.5000    ($h>0)" +
          std::string(58, ' ') +
          " NULL1\n"
          "@d                  $d=@d                    0.0000        10.0000    ($d>=0)" +
          std::string(57, ' ') +
          " NULL\n"
          "                    $x                       0.0000         0.0000    " +
          pad64 +
          " NULL\n"
          "#\n#\n"
          "#\nexst1               ieeet1          \n#\n"
          "Input parameter     Output parameter       Low limit     High Limit   Test expn\n#\n"
          "                    $ka=1                    0.0000         0.0000    " +
          pad64 +
          " NULL\n"
          "#\n#\n"
          "\n\nRead   2 rules\n" +
          summary);
}

TEST_F(RuleLoading, EmptySelectionFileGivesAnEmptyReport) {
  write_file("rule.txt", "\ngenrou gensal\n");
  bool ok;
  EXPECT_EQ(load(&ok), "");
  EXPECT_TRUE(ok);
  EXPECT_EQ(test_support::console_of([&] { std::fclose(write_rules_report(rule_table)); }),
            "Completed reading the rule file\nRead   0 rules\n");
  EXPECT_EQ(read_file("rulesused.txt"),
            "From                To\nModel               Model\n#\n#\n#\n#\n# Rule Files "
            "#\n\n\nRead   0 rules\n");
}

}  // namespace
