// Reading the tokens of an expression text: operators alone and in pairs, numbers,
// names, offsets, and the end that a ";" or a bad character makes.
#include "expr/lexer.h"

#include <string>
#include <vector>

#include "test_support.h"

namespace {

struct Read {
  Token token;
  int offset;
  int length;
};

std::vector<Read> tokens(const char* text, Lexer* last = nullptr) {
  static Lexer lex;
  lexer_start(lex, text);
  std::vector<Read> out;
  for (int i = 0; i < 80; ++i) {
    read_token(lex);
    out.push_back(Read{lex.token, lex.offset, lex.length});
    if (lex.token == kEnd || lex.token == kBadCharacter) break;
  }
  if (last) *last = lex;
  return out;
}

std::vector<Token> kinds(const char* text) {
  std::vector<Token> out;
  for (const Read& r : tokens(text)) out.push_back(r.token);
  return out;
}

TEST(Lexer, OperatorsAloneAndInPairs) {
  EXPECT_EQ(kinds("+-*/^()"),
            (std::vector<Token>{kPlus, kMinus, kTimes, kDivide, kPower, kOpen, kClose, kEnd}));
  // "&&" and "||" read as "*" and "+"; a single "&", "|" or "!" is a token of its own.
  EXPECT_EQ(kinds("&&||&|!"), (std::vector<Token>{kTimes, kPlus, kAmpersand, kBar, kNot, kEnd}));
  EXPECT_EQ(kinds("<=>===!=<>="), (std::vector<Token>{kLessEqual, kGreaterEqual, kEqual, kNotEqual,
                                                      kLess, kGreaterEqual, kEnd}));
  // A blank splits a pair: "<", then "=".
  EXPECT_EQ(kinds("< ="), (std::vector<Token>{kLess, kAssign, kEnd}));
}

TEST(Lexer, NumbersNamesAndWhereTheyStand) {
  Lexer lex;
  const std::vector<Read> read = tokens("  $tpdo=@h2 * 1.5.2", &lex);
  ASSERT_EQ(read.size(), 6u);
  EXPECT_EQ(read[0].token, kName);
  EXPECT_EQ(read[0].offset, 2);
  EXPECT_EQ(read[0].length, 5);
  EXPECT_EQ(read[1].token, kAssign);
  EXPECT_EQ(read[2].token, kName);
  EXPECT_EQ(read[2].offset, 8);
  EXPECT_EQ(read[4].token, kNumber);
  EXPECT_EQ(read[4].length, 5);  // "1.5.2": the whole run of digits and points
  // The last number token read is still in the lexer: only "1.5" of it counts.
  tokens("1.5.2", &lex);
  EXPECT_EQ(lex.number, 1.5f);
  tokens("..", &lex);
  EXPECT_EQ(lex.number, 0.0f);  // no number at all reads 0
  // Names keep their first 31 characters and report their whole length.
  const std::string long_name = "@" + std::string(40, 'x');
  const std::vector<Read> named = tokens(long_name.c_str(), &lex);
  EXPECT_EQ(named[0].length, 41);
  EXPECT_EQ(std::string(lex.name), long_name.substr(0, 31));
  // 1e3 is the number 1 and the name e3: no exponents.
  EXPECT_EQ(kinds("1e3"), (std::vector<Token>{kNumber, kName, kEnd}));
}

TEST(Lexer, TheStreamEndsForGood) {
  // After a ";" or a bad character every read gives the end.
  static Lexer lex;
  for (const char* text : {"1;2", "1_2",
                           "1\xe9"
                           "2"}) {
    lexer_start(lex, text);
    read_token(lex);
    EXPECT_EQ(lex.token, kNumber) << text;
    read_token(lex);
    const Token stop = lex.token;
    EXPECT_TRUE(stop == kEnd || stop == kBadCharacter) << text;
    for (int i = 0; i < 3; ++i) {
      read_token(lex);
      EXPECT_EQ(lex.token, kEnd) << text;
    }
  }
  EXPECT_EQ(kinds(" \t\r\n"), (std::vector<Token>{kEnd}));
}

}  // namespace
