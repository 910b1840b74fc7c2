// The expression language: values, messages and substitute values, as the programs'
// compiled expressions give them, and the same from the text evaluator.
#include <cmath>
#include <limits>

#include "expr/compiler.h"
#include "expr/differential.h"
#include "expr/program.h"
#include "test_support.h"

namespace {

class Evaluator : public ::testing::Test {
 protected:
  void SetUp() override { rules_.add_expression_rule(); }
  const RuleSet& rule() { return rules_.table().rule_sets[0]; }
  RuleValues& values() { return rules_.values(0); }

  // The value of the text, compiled and run over RuleSet 0, with the target starting
  // at 42 so that "untouched" shows. The text evaluator must agree in every respect.
  float eval(const char* text) {
    EXPECT_EQ(compare_evaluations(rule(), 0, values(), text), "") << "[" << text << "]";
    Instruction code[kMaxProgramLength];
    InstructionPool pool{code, kMaxProgramLength, 0};
    Program program;
    compile_expression(text, &rule(), pool, program);
    float target = 42.0f;
    run_program(program, code, text, ProgramScope{rule(), 0, values()}, &target);
    return target;
  }
  // Evaluates and returns what was written to the console.
  std::string messages(const char* text, float* value = nullptr) {
    float v = 0.0f;
    const std::string written = test_support::console_of([&] { v = eval(text); });
    if (value) *value = v;
    return written;
  }
  test_support::Rules rules_;
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

TEST_F(Evaluator, LogicalPairsAndComparisons) {
  const struct {
    const char* text;
    float value;
  } cases[] = {
      {"@a&&@b", 0.0f},
      {"@a||@b", 5.0f},
      {"(1<2)&&(3>2)", 1.0f},
      {"1<2&&3>0", 1.0f},  // reads as (1<(2*3))>0
      {"1<2", 1.0f},
      {"2<=1", 0.0f},
      {"1<=1", 1.0f},
      {"3==3", 1.0f},
      {"3!=3", 0.0f},
      {"3>=4", 0.0f},
      {"4>3", 1.0f},
      // A difference that is no number makes "<", "<=" and "==" hold, the others not.
      {"@nan<1", 1.0f},
      {"@nan<=1", 1.0f},
      {"@nan==1", 1.0f},
      {"@nan>1", 0.0f},
      {"@nan>=1", 0.0f},
      {"@nan!=1", 0.0f},
  };
  for (const auto& c : cases) EXPECT_EQ(eval(c.text), c.value) << c.text;
}

// A text, its value and the console lines it writes.
struct Case {
  const char* text;
  float value;
  const char* messages;
};

TEST_F(Evaluator, DivisionsAndNames) {
  const Case cases[] = {
      // Division by zero of either sign, or by a value that is no number.
      {"7/0", -99999.0f, "divide by zero\n"},
      {"1/-0", -99999.0f, "divide by zero\n"},
      {"1/@nan", -99999.0f, "divide by zero\n"},
      {"1/0*2", -199998.0f, "divide by zero\n"},
      // Names resolve in the RuleSet; "$" is not "@"; a letter name is a silent dummy.
      {"@three*2", 6.0f, ""},
      {"@zz+1", -99998.0f, "Unknown name [@zz] for [genrou]   0\n"},
      {"$nope", -99999.0f, "Unknown name [$nope] for [genrou]   0\n"},
      {"$b", -99999.0f, "Unknown name [$b] for [genrou]   0\n"},
      {"abc", -99999.0f, ""},
      // A name longer than 31 characters is shown by its first 31.
      {"@abcdefghijabcdefghijabcdefghijXYZ", -99999.0f,
       "Unknown name [@abcdefghijabcdefghijabcdefghij] for [genrou]   0\n"},
  };
  for (const Case& c : cases) {
    float v;
    EXPECT_EQ(messages(c.text, &v), c.messages) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
}

TEST_F(Evaluator, AssignmentsStoreAndYield) {
  EXPECT_EQ(eval("$x=@three*2"), 6.0f);
  EXPECT_EQ(values().outputs[0], 6.0f);
  EXPECT_EQ(eval("$x=$y=2"), 2.0f);
  EXPECT_EQ(values().outputs[0], 2.0f);
  EXPECT_EQ(values().outputs[1], 2.0f);
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

TEST_F(Evaluator, SyntaxErrorsAndTextsWithoutAToken) {
  const Case cases[] = {
      // A syntax error yields the length of its message line.
      {"(1+2", 17.0f, "error ) expected\n"},
      {"1+", 24.0f, "error primary expected\n"},
      {"1+*2", 47.0f, "error primary expected\n"},
      {"a_b", -99999.0f, "error bad token\n"},
      {"1 < = 2", 1.0f, "error primary expected\n"},
      {"!", 23.0f, "error primary expected\n"},
      {"2*|", 46.0f, "error primary expected\n"},
      {"1+\xe9", 24.0f, "error bad token\nerror primary expected\n"},
      // Number tokens: no sign, no exponent, the longest part "%f" reads.
      {"1 2", 1.0f, ""},
      {"1;2", 1.0f, ""},
      {"1e3", 1.0f, ""},
      {".5", 0.5f, ""},
      {"5.", 5.0f, ""},
      {"1.5.2", 1.5f, ""},
      {".", 0.0f, ""},
      {"..+3", 3.0f, ""},
      {"0.000000000000000000000000000000000001", 0.0f, ""},  // only 31 characters read
      // A text whose first token is the end leaves the target (42) alone.
      {"", 42.0f, ""},
      {" \t ", 42.0f, ""},
      {";1", 42.0f, ""},
      {"_1", 42.0f, "error bad token\n"},
  };
  for (const Case& c : cases) {
    float v;
    EXPECT_EQ(messages(c.text, &v), c.messages) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
}

TEST_F(Evaluator, OnlyTheFirst63CharactersAreRead) {
  std::string text(63, '-');
  text += "(";  // beyond the stored length
  EXPECT_EQ(messages(text.c_str()), "error primary expected\n");
}

}  // namespace
