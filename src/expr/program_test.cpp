// Compiled expressions against the text evaluator: the same values, messages and
// assignments for every text, and instructions that keep each token's position.
#include "expr/program.h"

#include <limits>
#include <random>

#include "expr/compiler.h"
#include "expr/differential.h"
#include "test_support.h"

namespace {

class CompiledExpressions : public ::testing::Test {
 protected:
  void SetUp() override { rules_.add_expression_rule(); }
  const RuleSet& rule() { return rules_.table().rule_sets[0]; }
  std::string compare(const char* text) {
    return compare_evaluations(rule(), 0, rules_.values(0), text);
  }
  test_support::Rules rules_;
};

TEST_F(CompiledExpressions, AgreeWithTheTextEvaluatorOnEveryKindOfText) {
  for (const char* text : {"2+3*4",
                           "(2+3)*4",
                           "7-2-1",
                           "8/2/2",
                           "2^3^2",
                           "1<2+1",
                           "-2^2",
                           "--3",
                           "-0",
                           "2*-3",
                           "16777216+1",
                           "2^0.5",
                           "0-2^0.5-(0-8)^0.5",
                           "@a&&@b",
                           "@a||@b",
                           "1<2&&3>0",
                           "@nan<1",
                           "@nan!=1",
                           "7/0",
                           "1/-0",
                           "1/@nan",
                           "1/0*2",
                           "@zz+1",
                           "$nope",
                           "abc",
                           "$x=@three*2",
                           "$x=$y=2",
                           "$q=7",
                           "$q=@zz",
                           "@x_",
                           "(1+2",
                           "1+",
                           "1+*2",
                           "a_b",
                           "1 < = 2",
                           "!",
                           "2*|",
                           "1+\xe9",
                           "1 2",
                           "1;2",
                           "1e3",
                           ".5",
                           "5.",
                           "1.5.2",
                           ".",
                           "..+3",
                           "",
                           " \t ",
                           ";1",
                           "_1",
                           "((((1",
                           "$x=",
                           "=5",
                           "$x=$x+1",
                           "@a=4",
                           "((1+2)*(3",
                           ")",
                           "$x)",
                           "(((((((((((((((((((((1",
                           "@abcdefghijabcdefghijabcdefghijXYZ=1",
                           "$y=1/0;2",
                           "-(-(-(1)))",
                           "1!=1==0<2>1<=3>=0"}) {
    EXPECT_EQ(compare(text), "") << "[" << text << "]";
  }
}

TEST_F(CompiledExpressions, AgreeWithTheTextEvaluatorOnRandomTexts) {
  const char* pieces[] = {
      "@a", "@b", "@three", "@nan", "$x", "$y", "$zz", "@q", "abc",  "1", "0",  ".5",     "2", "10",
      "(",  ")",  "+",      "-",    "*",  "/",  "^",   "<",  ">",    "=", "!",  "&",      "|", "&&",
      "||", "<=", ">=",     "==",   "!=", " ",  ";",   "_",  "\xe9", ".", "..", "3.4e39", "\t"};
  std::mt19937 rng(11);
  for (int i = 0; i < 300000; ++i) {
    std::string text;
    const int count = 1 + static_cast<int>(rng() % 24);
    for (int k = 0; k < count; ++k) text += pieces[rng() % (sizeof pieces / sizeof pieces[0])];
    if (text.size() > 70) text.resize(70);  // beyond the 63 characters a RuleSet stores
    const std::string diff = compare(text.c_str());
    ASSERT_EQ(diff, "") << "[" << text << "]";
  }
}

TEST_F(CompiledExpressions, NamesAreResolvedOnceAndTokensKeepTheirOffsets) {
  Instruction code[kMaxProgramLength];
  InstructionPool pool{code, kMaxProgramLength, 0};
  Program p;
  ASSERT_TRUE(compile_expression("$y=@three*$zz_", &rule(), pool, p));
  ASSERT_EQ(p.count, 5);
  EXPECT_EQ(code[0].op, Op::load_input);
  EXPECT_EQ(code[0].slot, 2);
  EXPECT_EQ(code[0].offset, 3);
  EXPECT_EQ(code[1].op, Op::bad_character);  // read before $zz is looked up
  EXPECT_EQ(code[1].offset, 13);
  EXPECT_EQ(code[2].op, Op::load_unknown);
  EXPECT_EQ(code[2].offset, 10);
  EXPECT_EQ(code[2].length, 3);
  EXPECT_EQ(code[3].op, Op::multiply);
  EXPECT_EQ(code[4].op, Op::store_output);
  EXPECT_EQ(code[4].slot, 1);
  EXPECT_TRUE(p.stores);
  EXPECT_TRUE(p.stopped_at_end);

  // What follows the expression is not used, and the program tells where it stopped.
  pool.used = 0;
  ASSERT_TRUE(compile_expression("($x>0))", &rule(), pool, p));
  EXPECT_FALSE(p.stopped_at_end);
  EXPECT_EQ(p.stop_offset, 6);
  pool.used = 0;
  ASSERT_TRUE(compile_expression(" ;1", &rule(), pool, p));
  EXPECT_FALSE(p.stores);
  EXPECT_EQ(p.count, 0);
}

TEST_F(CompiledExpressions, ProgramsNeverOutgrowTheirBound) {
  // Texts of 63 characters that make the most instructions per character.
  Instruction code[kMaxProgramLength];
  const char pieces[] = "(-)*+<=!1@a";
  std::mt19937 rng(5);
  int longest = 0;
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    while (text.size() < 63) text += pieces[rng() % (sizeof pieces - 1)];
    InstructionPool pool{code, kMaxProgramLength, 0};
    Program p;
    ASSERT_TRUE(compile_expression(text.c_str(), &rule(), pool, p));
    longest = std::max(longest, static_cast<int>(p.count));
  }
  EXPECT_LT(longest, kMaxProgramLength);
  InstructionPool pool{code, kMaxProgramLength, 0};
  Program p;
  ASSERT_TRUE(compile_expression(std::string(63, '(').c_str(), &rule(), pool, p));
  EXPECT_EQ(p.count, 64);  // one "primary expected", then a ")" expected per "("
}

}  // namespace
