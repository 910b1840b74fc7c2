// Tokens of the rule expression language, read one at a time from an expression text.
#include "expr/lexer.h"

#include "text/scan.h"

namespace {

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
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

Token pair(Lexer& lex, char second, Token both, Token single) {
  if (*lex.p != second) return single;
  ++lex.p;
  return both;
}

Token operator_token(Lexer& lex, char c) {
  switch (c) {
    case ';':
      return kEnd;
    case '(':
      return kOpen;
    case ')':
      return kClose;
    case '*':
      return kTimes;
    case '+':
      return kPlus;
    case '-':
      return kMinus;
    case '/':
      return kDivide;
    case '^':
      return kPower;
    case '&':
      return pair(lex, '&', kTimes, kAmpersand);
    case '|':
      return pair(lex, '|', kPlus, kBar);
    case '=':
      return pair(lex, '=', kEqual, kAssign);
    case '!':
      return pair(lex, '=', kNotEqual, kNot);
    case '<':
      return pair(lex, '=', kLessEqual, kLess);
    case '>':
      return pair(lex, '=', kGreaterEqual, kGreater);
    default:
      return kBadCharacter;  // bytes of 0x80 and above too
  }
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

void next_token(Lexer& lex) {
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
