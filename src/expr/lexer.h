// Tokens of the rule expression language, read one at a time from an expression text.
#pragma once
#include <cstdint>

enum Token : uint8_t {
  kEnd,
  kName,
  kNumber,
  // The binary operators, in one run (the machine's instructions follow this order).
  kPlus,
  kMinus,
  kTimes,
  kDivide,
  kPower,
  kLess,
  kGreater,
  kLessEqual,
  kGreaterEqual,
  kEqual,
  kNotEqual,
  kOpen,
  kClose,
  kAssign,
  kNot,
  kAmpersand,
  kBar,
  kBadCharacter,  // a character the language does not know; the stream ends there
};

constexpr int kTokenTextSize = 32;  // names and numbers keep their first 31 characters

struct Lexer {
  const char* text;  // start of the expression
  const char* p;     // the next character to read
  Token token;
  int offset;                 // of the current token in the text
  int length;                 // of the current token, all of its characters
  char name[kTokenTextSize];  // a name token's first 31 characters
  float number;               // a number token's value
};

void lexer_start(Lexer& lex, const char* text);

// Reads the next token. The end is never passed: at the end of the text, or after a
// bad character, every further read gives kEnd again.
void read_token(Lexer& lex);
