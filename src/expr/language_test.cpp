// The expression language: values, messages and substitute values, as the programs'
// compiled expressions give them, and the same from the text evaluator.
#include <cmath>
#include <limits>

#include "expr/compiler.h"
#include "expr/differential.h"
#include "expr/program.h"
#include "test_support.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

class Evaluator : public ::testing::Test {
 protected:
  void SetUp() override { test_support::add_expression_rule(); }
  RuleSet& rule() { return rule_table.rule_sets[0]; }

  // The value of the text, compiled and run over RuleSet 0, with the target starting
  // at 42 so that "untouched" shows. The text evaluator must agree in every respect.
  float eval(const char* text) {
    EXPECT_EQ(compare_evaluations(rule_table, 0, text), "") << "[" << text << "]";
    static Instruction code[kMaxProgramLength];
    InstructionPool pool{code, kMaxProgramLength, 0};
    Program program;
    compile_expression(text, &rule(), pool, program);
    float target = 42.0f;
    run_program(program, code, text, rule(), 0, &target);
    return target;
  }
  // Evaluates and returns what was written to standard error.
  std::string messages(const char* text, float* value = nullptr) {
    CaptureStderr();
    float v = eval(text);
    if (value) *value = v;
    return GetCapturedStderr();
  }
};

TEST_F(Evaluator, PrecedenceAndLeftAssociativity) {
  EXPECT_EQ(eval("2+3*4"), 14.0f);
  EXPECT_EQ(eval("(2+3)*4"), 20.0f);
  EXPECT_EQ(eval("7-2-1"), 4.0f);
  EXPECT_EQ(eval("8/2/2"), 2.0f);
  EXPECT_EQ(eval("2*3^2"), 36.0f);  // "^" binds like "*"
  EXPECT_EQ(eval("2^3^2"), 64.0f);
  EXPECT_EQ(eval("1<2+1"), 2.0f);  // comparisons bind like "+"
  EXPECT_EQ(eval("  2 +\t3 "), 5.0f);
}

TEST_F(Evaluator, UnaryMinusAppliesToOnePrimary) {
  EXPECT_EQ(eval("-2^2"), 4.0f);
  EXPECT_EQ(eval("--3"), 3.0f);
  EXPECT_EQ(eval("2*-3"), -6.0f);
  float zero = eval("-0");
  EXPECT_TRUE(std::signbit(zero));
}

TEST_F(Evaluator, ArithmeticIsRoundedToSinglePrecisionAfterEachStep) {
  EXPECT_EQ(eval("16777216+1"), 16777216.0f);  // double arithmetic would give 16777217
  EXPECT_EQ(eval("16777216+1-16777216"), 0.0f);
  EXPECT_EQ(eval("2^0.5"), static_cast<float>(std::sqrt(2.0)));
  EXPECT_EQ(eval("0.1*3"), 0.1f * 3.0f);
  EXPECT_TRUE(std::isnan(eval("0-2^0.5-(0-8)^0.5")));  // negative base, fractional power
}

TEST_F(Evaluator, LogicalPairsAreProductAndSum) {
  EXPECT_EQ(eval("@a&&@b"), 0.0f);
  EXPECT_EQ(eval("@a||@b"), 5.0f);
  EXPECT_EQ(eval("(1<2)&&(3>2)"), 1.0f);
  // a<b&&c>d reads as (a<(b*c))>d
  EXPECT_EQ(eval("1<2&&3>0"), 1.0f);
}

TEST_F(Evaluator, Comparisons) {
  EXPECT_EQ(eval("1<2"), 1.0f);
  EXPECT_EQ(eval("2<=1"), 0.0f);
  EXPECT_EQ(eval("1<=1"), 1.0f);
  EXPECT_EQ(eval("3==3"), 1.0f);
  EXPECT_EQ(eval("3!=3"), 0.0f);
  EXPECT_EQ(eval("3>=4"), 0.0f);
  EXPECT_EQ(eval("4>3"), 1.0f);
}

TEST_F(Evaluator, ComparisonsWithNotANumber) {
  EXPECT_EQ(eval("@nan<1"), 1.0f);
  EXPECT_EQ(eval("@nan<=1"), 1.0f);
  EXPECT_EQ(eval("@nan==1"), 1.0f);
  EXPECT_EQ(eval("@nan>1"), 0.0f);
  EXPECT_EQ(eval("@nan>=1"), 0.0f);
  EXPECT_EQ(eval("@nan!=1"), 0.0f);
}

TEST_F(Evaluator, DivisionByZeroOfEitherSignOrByNotANumber) {
  float v;
  EXPECT_EQ(messages("7/0", &v), "divide by zero\n");
  EXPECT_EQ(v, -99999.0f);
  EXPECT_EQ(messages("1/-0", &v), "divide by zero\n");
  EXPECT_EQ(v, -99999.0f);
  EXPECT_EQ(messages("1/@nan", &v), "divide by zero\n");
  EXPECT_EQ(v, -99999.0f);
  EXPECT_EQ(messages("1/0*2", &v), "divide by zero\n");
  EXPECT_EQ(v, -199998.0f);
}

TEST_F(Evaluator, NamesResolveInTheCurrentRuleSet) {
  float v;
  EXPECT_EQ(messages("@three*2", &v), "");
  EXPECT_EQ(v, 6.0f);
  EXPECT_EQ(messages("@zz+1", &v), "Unknown name [@zz] for [genrou]   0\n");
  EXPECT_EQ(v, -99998.0f);
  EXPECT_EQ(messages("$nope", &v), "Unknown name [$nope] for [genrou]   0\n");
  EXPECT_EQ(v, -99999.0f);
  EXPECT_EQ(messages("$b", &v), "Unknown name [$b] for [genrou]   0\n");  // "$" is not "@"
  EXPECT_EQ(messages("abc", &v), "");
  EXPECT_EQ(v, -99999.0f);
  // A name longer than 31 characters is shown by its first 31.
  EXPECT_EQ(messages("@abcdefghijabcdefghijabcdefghijXYZ"),
            "Unknown name [@abcdefghijabcdefghijabcdefghij] for [genrou]   0\n");
}

TEST_F(Evaluator, AssignmentsStoreAndYield) {
  EXPECT_EQ(eval("$x=@three*2"), 6.0f);
  EXPECT_EQ(rule().output_values[0], 6.0f);
  EXPECT_EQ(eval("$x=$y=2"), 2.0f);
  EXPECT_EQ(rule().output_values[0], 2.0f);
  EXPECT_EQ(rule().output_values[1], 2.0f);
  // An assignment to an unknown name is lost, but still yields its value.
  float v;
  EXPECT_EQ(messages("$q=7", &v), "Unknown name [$q] for [genrou]   0\n");
  EXPECT_EQ(v, 7.0f);
}

TEST_F(Evaluator, MessagesComeInReadingOrder) {
  // The right side is evaluated before the assigned name is looked up.
  EXPECT_EQ(messages("$q=@zz"),
            "Unknown name [@zz] for [genrou]   0\nUnknown name [$q] for [genrou]   0\n");
  // The token after a name is read before the name is looked up.
  EXPECT_EQ(messages("@x_"), "error bad token\nUnknown name [@x] for [genrou]   0\n");
}

TEST_F(Evaluator, SyntaxErrorsYieldTheLengthOfTheirMessage) {
  float v;
  EXPECT_EQ(messages("(1+2", &v), "error ) expected\n");
  EXPECT_EQ(v, 17.0f);
  EXPECT_EQ(messages("1+", &v), "error primary expected\n");
  EXPECT_EQ(v, 24.0f);
  EXPECT_EQ(messages("1+*2", &v), "error primary expected\n");
  EXPECT_EQ(v, 47.0f);
  EXPECT_EQ(messages("a_b", &v), "error bad token\n");
  EXPECT_EQ(v, -99999.0f);
  EXPECT_EQ(messages("1 < = 2", &v), "error primary expected\n");
  EXPECT_EQ(v, 1.0f);
  EXPECT_EQ(messages("!", &v), "error primary expected\n");
  EXPECT_EQ(v, 23.0f);
  EXPECT_EQ(messages("2*|", &v), "error primary expected\n");
  EXPECT_EQ(v, 46.0f);
  EXPECT_EQ(messages("1+\xe9", &v), "error bad token\nerror primary expected\n");
  EXPECT_EQ(v, 24.0f);
}

TEST_F(Evaluator, NumberTokens) {
  EXPECT_EQ(eval("1 2"), 1.0f);
  EXPECT_EQ(eval("1;2"), 1.0f);
  EXPECT_EQ(eval("1e3"), 1.0f);
  EXPECT_EQ(eval(".5"), 0.5f);
  EXPECT_EQ(eval("5."), 5.0f);
  EXPECT_EQ(eval("1.5.2"), 1.5f);
  EXPECT_EQ(eval("."), 0.0f);
  EXPECT_EQ(eval("..+3"), 3.0f);
  EXPECT_EQ(eval("0.000000000000000000000000000000000001"), 0.0f);  // only 31 characters read
}

TEST_F(Evaluator, TextsWithoutATokenLeaveTheTargetAlone) {
  float v;
  EXPECT_EQ(messages("", &v), "");
  EXPECT_EQ(v, 42.0f);
  EXPECT_EQ(messages(" \t ", &v), "");
  EXPECT_EQ(v, 42.0f);
  EXPECT_EQ(messages(";1", &v), "");
  EXPECT_EQ(v, 42.0f);
  EXPECT_EQ(messages("_1", &v), "error bad token\n");
  EXPECT_EQ(v, 42.0f);
}

TEST_F(Evaluator, OnlyTheFirst63CharactersAreRead) {
  std::string text(63, '-');
  text += "(";  // beyond the stored length
  EXPECT_EQ(messages(text.c_str()), "error primary expected\n");
}

}  // namespace
