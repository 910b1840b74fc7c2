// The grammar of the rule expression language, once, for every use of it: a
// recursive-descent reader that hands each step to a backend. The text evaluator's
// backend computes values as it reads; the compiler's backend writes instructions in
// the same order, so a compiled expression does its work, messages included, exactly
// when and as the text evaluator does.
//
//   expression := term { ("+" | "-" | "<" | ">" | "<=" | ">=" | "==" | "!=") term }
//   term       := primary { ("*" | "/" | "^") primary }
//   primary    := number | name [ "=" expression ] | "-" primary | "(" expression ")"
//
// "&&" reads as "*" and "||" as "+". A backend B provides the type B::Value and
//   number(value, offset), load(name), assign(name, value), negate(value, offset),
//   binary(op, left, right, offset), close_expected(value, offset),
//   primary_expected(offset), bad_character(offset)
// where offsets are those of the token in hand within the text.
#pragma once
#include <cstring>

#include "expr/lexer.h"

struct NameToken {
  char text[kTokenTextSize];  // its first 31 characters
  int offset;
  int length;  // all of its characters
};

template <class Backend>
struct Parser {
  Lexer lex;
  Backend& b;

  // A bad character is reported where it is read, and ends the token stream.
  void next() {
    read_token(lex);
    if (lex.token == kBadCharacter) {
      b.bad_character(lex.offset);
      lex.token = kEnd;
    }
  }
};

template <class B>
typename B::Value parse_expression(Parser<B>& p);

template <class B>
typename B::Value parse_primary(Parser<B>& p) {
  switch (p.lex.token) {
    case kNumber: {
      auto value = p.b.number(p.lex.number, p.lex.offset);
      p.next();
      return value;
    }
    case kName: {
      // The token after the name is read before the name is looked up, and an
      // assigned name is looked up after its right side.
      NameToken name;
      std::memcpy(name.text, p.lex.name, sizeof name.text);
      name.offset = p.lex.offset;
      name.length = p.lex.length;
      p.next();
      if (p.lex.token != kAssign) return p.b.load(name);
      p.next();
      auto value = parse_expression(p);
      return p.b.assign(name, value);
    }
    case kMinus: {
      const int offset = p.lex.offset;
      p.next();
      return p.b.negate(parse_primary(p), offset);
    }
    case kOpen: {
      p.next();
      auto value = parse_expression(p);
      if (p.lex.token != kClose) return p.b.close_expected(value, p.lex.offset);
      p.next();
      return value;
    }
    default:
      return p.b.primary_expected(p.lex.offset);
  }
}

template <class B>
typename B::Value parse_term(Parser<B>& p) {
  auto left = parse_primary(p);
  for (;;) {
    const Token op = p.lex.token;
    if (op != kTimes && op != kDivide && op != kPower) return left;
    const int offset = p.lex.offset;
    p.next();
    auto right = parse_primary(p);
    left = p.b.binary(op, left, right, offset);
  }
}

inline bool is_expression_operator(Token t) {
  return t == kPlus || t == kMinus || t == kLess || t == kGreater || t == kLessEqual ||
         t == kGreaterEqual || t == kEqual || t == kNotEqual;
}

template <class B>
typename B::Value parse_expression(Parser<B>& p) {
  auto left = parse_term(p);
  for (;;) {
    const Token op = p.lex.token;
    if (!is_expression_operator(op)) return left;
    const int offset = p.lex.offset;
    p.next();
    auto right = parse_term(p);
    left = p.b.binary(op, left, right, offset);
  }
}

// Reads the first token; when it is not the end, reads one expression and hands its
// value to `store`. Returns false, having read no expression, when the text begins
// with the end (an empty text, blanks, ";" or a bad character).
template <class B, class Store>
bool parse_text(Parser<B>& p, const char* text, Store store) {
  lexer_start(p.lex, text);
  p.next();
  if (p.lex.token == kEnd) return false;
  store(parse_expression(p));
  return true;
}
