// Tokens of the rule expression language, read one at a time from an expression text.
#include "expr/lexer.h"

#include "text/scan.h"

namespace {

bool is_name_char(char c) { return is_letter(c) || is_digit(c) || c == '@' || c == '$'; }
bool is_number_char(char c) { return is_digit(c) || c == '.'; }

// Copies the run of characters of one class, keeping the first 31 of them.
template <typename Pred>
void copy_run(Lexer& lex, char* out, Pred in_run) {
  int n = 0;
  while (in_run(*lex.p)) {
    if (n < kTokenTextSize - 1) out[n++] = *lex.p;
    ++lex.p;
  }
  out[n] = '\0';
}

// An operator character, alone or followed by its second character ("&&", "<=", ...).
struct Operator {
  char first;
  char second;  // NUL: no pair
  Token pair;
  Token single;
};
constexpr Operator kOperators[] = {
    {';', '\0', kEnd, kEnd},        {'(', '\0', kOpen, kOpen},
    {')', '\0', kClose, kClose},    {'*', '\0', kTimes, kTimes},
    {'+', '\0', kPlus, kPlus},      {'-', '\0', kMinus, kMinus},
    {'/', '\0', kDivide, kDivide},  {'^', '\0', kPower, kPower},
    {'&', '&', kTimes, kAmpersand}, {'|', '|', kPlus, kBar},
    {'=', '=', kEqual, kAssign},    {'!', '=', kNotEqual, kNot},
    {'<', '=', kLessEqual, kLess},  {'>', '=', kGreaterEqual, kGreater},
};

// The token of an operator character `c`, its second character read when it pairs.
Token operator_token(Lexer& lex, char c) {
  for (const Operator& op : kOperators) {
    if (op.first != c) continue;
    if (op.second == '\0' || *lex.p != op.second) return op.single;
    ++lex.p;
    return op.pair;
  }
  return kBadCharacter;  // bytes of 0x80 and above too
}

}  // namespace

void lexer_start(Lexer& lex, const char* text) {
  lex.text = text;
  lex.p = text;
  lex.token = kEnd;
  lex.offset = 0;
  lex.length = 0;
  lex.name[0] = '\0';
  lex.number = 0.0f;
}

void read_token(Lexer& lex) {
  if (lex.token == kBadCharacter || (lex.token == kEnd && lex.length > 0)) {
    lex.token = kEnd;  // the stream ended at a bad character or a ";"
    return;
  }
  while (is_space(*lex.p)) ++lex.p;
  const char* start = lex.p;
  lex.offset = static_cast<int>(start - lex.text);
  const char c = *lex.p;
  if (c == '\0') {
    lex.token = kEnd;
  } else if (is_number_char(c)) {
    char digits[kTokenTextSize];
    copy_run(lex, digits, is_number_char);
    lex.number = 0.0f;  // a run of dots alone is no number; it reads as 0
    scan_float(digits, &lex.number);
    lex.token = kNumber;
  } else if (is_letter(c) || c == '@' || c == '$') {
    copy_run(lex, lex.name, is_name_char);
    lex.token = kName;
  } else {
    ++lex.p;
    lex.token = operator_token(lex, c);
  }
  lex.length = static_cast<int>(lex.p - start);
}
