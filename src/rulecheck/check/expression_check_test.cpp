// The findings of one compiled expression, each at its token's column, and the
// findings' own form.
#include "rulecheck/check/expression_check.h"

#include "expr/compiler.h"
#include "test_support.h"

namespace {

// A RuleSet with the input @h and the outputs $a and $b, whose expressions are checked.
class ExpressionChecks : public ::testing::Test {
 protected:
  ExpressionChecks() : rule_(&rules_.add_rule("genrou", "gentpj")) {
    rules_.add_input(*rule_, "@h", 1.0f);
    for (const char* output : {"$a=@h", "$b=@h"}) rules_.add_output(*rule_, output);
  }
  // The findings of `text` as output 1's expression in `role`, its token at column 10
  // of line 7; `assigned` tells which outputs are assigned by then.
  std::string check(const char* text, ExpressionRole role = ExpressionRole::assignment,
                    bool a_assigned = true) {
    Instruction code[kMaxProgramLength];
    InstructionPool pool{code, kMaxProgramLength, 0};
    Program program;
    compile_expression(text, rule_, pool, program);
    // Tests and replacements run after every assignment: their own output is assigned.
    bool assigned[kMaxParameters] = {a_assigned, role != ExpressionRole::assignment};
    test_support::CapturedFile out;
    findings_.out = out.f;
    check_expression(program,
                     ExpressionSite{text, {"lib/x", 7, 10}, *rule_, 1, role, code, findings_},
                     assigned);
    return out.text();
  }
  int error_count() const { return findings_.errors; }
  Findings findings_{nullptr, 0, 0};  // counts over every check of a test
  test_support::Rules rules_;
  RuleSet* rule_;
};

TEST_F(ExpressionChecks, CleanExpressionsHaveNoFindings) {
  EXPECT_EQ(check("$b=@h*2+$a"), "");
  EXPECT_EQ(check("($b>0)&&($b<10)", ExpressionRole::test), "");
  EXPECT_EQ(error_count(), 0);
}

TEST_F(ExpressionChecks, NamesAndAssignments) {
  EXPECT_EQ(check("$b=@zz"), "lib/x:7:13: error: unknown name [@zz]\n");
  EXPECT_EQ(check("$b=abc"),
            "lib/x:7:13: warning: name without \"@\" or \"$\" always reads -99999 [abc]\n");
  EXPECT_EQ(check("$a=2"),
            "lib/x:7:10: warning: assigns [$a], not its own parameter [$b]\n"
            "lib/x:7:10: warning: [$a=2] does not assign [$b]: its value is the "
            "expression's\n");
  EXPECT_EQ(check("$b=$a", ExpressionRole::assignment, false),
            "lib/x:7:13: warning: [$a] is read before its assignment in the record: it holds the "
            "previous record's value, or its mid value in the first record\n");
  EXPECT_EQ(error_count(), 1);
}

TEST_F(ExpressionChecks, ConstantsFoldWithTheMachinesArithmetic) {
  EXPECT_EQ(check("$b=@h/(2-2)"),
            "lib/x:7:15: warning: division by a constant zero [/(2-2)]: it yields -99999\n");
  // A comparison of constants is a constant too.
  EXPECT_EQ(check("$b=@h/(1>2)"),
            "lib/x:7:15: warning: division by a constant zero [/(1>2)]: it yields -99999\n");
  EXPECT_EQ(check("$b=@h/(2-1)"), "");
  EXPECT_EQ(check("$b=@h/(@h-1)"), "");  // not a constant
}

TEST_F(ExpressionChecks, SyntaxErrorsAndIgnoredText) {
  EXPECT_EQ(check("($b>0", ExpressionRole::test), "lib/x:7:15: error: missing \")\" in [($b>0]\n");
  EXPECT_EQ(check("$b=1+", ExpressionRole::assignment),
            "lib/x:7:15: error: a value is missing at the end of [$b=1+]\n");
  EXPECT_EQ(check("$b=1+*2"), "lib/x:7:15: error: a value is expected at [*2]\n");
  EXPECT_EQ(check("($b>0))", ExpressionRole::test),
            "lib/x:7:16: warning: text after the expression is ignored [)]\n");
  EXPECT_EQ(check("$b=1_\x01"),
            "lib/x:7:14: error: bad character [_]: the expression ends before it\n");
}

TEST_F(ExpressionChecks, UnaryMinusBeforeAPower) {
  const std::string warning =
      "lib/x:7:13: warning: a unary minus before a power applies first, so -2^2 is 4 ";
  EXPECT_EQ(check("$b=-@h^2"), warning + "[-@h^2]: write -(a^b) or (-a)^b\n");
  EXPECT_EQ(check("$b=-(@h)^2"), warning + "[-(@h)^2]: write -(a^b) or (-a)^b\n");
  // Written in brackets, either way, it is what the writer meant.
  EXPECT_EQ(check("$b=(-@h)^2"), "");
  EXPECT_EQ(check("$b=-(@h^2)"), "");
  EXPECT_EQ(check("$b=((-@h))^2"), "");
  // A minus that is not the power's left operand.
  EXPECT_EQ(check("$b=2^-@h"), "");
  EXPECT_EQ(check("$b=-@h*2"), "");
  EXPECT_EQ(check("$b=2*-@h^2").find("unary minus"), std::string::npos);  // (2*-h)^2
}

TEST(Findings, FormAndQuoting) {
  test_support::CapturedFile out;
  Findings findings{out.f, 0, 0};
  report(findings, Severity::error, SourcePoint{"rule.txt", 3, 0}, "x %d", 1);
  report(findings, Severity::warning, SourcePoint{"lib/a-b", 0, 0}, "y");
  report(findings, Severity::warning, SourcePoint{"lib/a-b", 2, 5}, "z");
  write_finding_totals(findings);
  EXPECT_EQ(out.text(),
            "rule.txt:3: error: x 1\nlib/a-b: warning: y\nlib/a-b:2:5: warning: z\n"
            "1 error, 2 warnings\n");
  char quoted[32];
  quote_text(
      "a\tb\xe9"
      "cdefgh",
      4, quoted, sizeof quoted);
  EXPECT_STREQ(quoted, "a\\x09b\\xe9");
  quote_text("abcdefghijklmnopqrstuvwxyz", 64, quoted, 12);
  EXPECT_STREQ(quoted, "abcdefg");  // room for an escape is kept at the end
}

}  // namespace
