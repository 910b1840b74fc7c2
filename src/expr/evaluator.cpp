// The rule expression language: a recursive-descent calculator over single-precision
// values whose variables are the "@" inputs and "$" outputs of the current RuleSet.
//
//   expression := term { ("+" | "-" | "<" | ">" | "<=" | ">=" | "==" | "!=") term }
//   term       := primary { ("*" | "/" | "^") primary }
//   primary    := number | name [ "=" expression ] | "-" primary | "(" expression ")"
//
// "&&" reads as "*" and "||" as "+". Every result is rounded to single precision.
#include "expr/evaluator.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "rules/rule_table.h"
#include "text/scan.h"

namespace {

enum Token {
  kEnd, kName, kNumber, kPlus, kMinus, kTimes, kDivide, kPower, kOpen, kClose,
  kLess, kGreater, kLessEqual, kGreaterEqual, kEqual, kNotEqual, kAssign,
  kNot, kAmpersand, kBar,
};

constexpr int kTokenTextSize = 32;  // names and numbers keep their first 31 characters

struct Scanner {
  const char* p;
  Token token;
  char name[kTokenTextSize];
  float number;
};

Scanner s;
float dummy_value;

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool is_name_char(char c) { return is_letter(c) || is_digit(c) || c == '@' || c == '$'; }
bool is_number_char(char c) { return is_digit(c) || c == '.'; }

// Copies the run of characters of one class, keeping the first 31 of them.
template <typename Pred>
void copy_run(char* out, Pred in_run) {
  int n = 0;
  while (in_run(*s.p)) {
    if (n < kTokenTextSize - 1) out[n++] = *s.p;
    ++s.p;
  }
  out[n] = '\0';
}

// Reads the next token. The end is never consumed, so the scan never passes the NUL.
void next() {
  while (is_space(*s.p)) ++s.p;
  char c = *s.p;
  if (c == '\0') {
    s.token = kEnd;
    return;
  }
  if (is_number_char(c)) {
    char text[kTokenTextSize];
    copy_run(text, is_number_char);
    s.number = 0.0f;  // a run of dots alone is no number; it reads as 0
    scan_float(text, &s.number);
    s.token = kNumber;
    return;
  }
  if (is_letter(c) || c == '@' || c == '$') {
    copy_run(s.name, is_name_char);
    s.token = kName;
    return;
  }
  ++s.p;
  auto pair = [](char second, Token both, Token single) {
    if (*s.p == second) {
      ++s.p;
      return both;
    }
    return single;
  };
  switch (c) {
    case ';': s.token = kEnd; break;
    case '(': s.token = kOpen; break;
    case ')': s.token = kClose; break;
    case '*': s.token = kTimes; break;
    case '+': s.token = kPlus; break;
    case '-': s.token = kMinus; break;
    case '/': s.token = kDivide; break;
    case '^': s.token = kPower; break;
    case '&': s.token = pair('&', kTimes, kAmpersand); break;
    case '|': s.token = pair('|', kPlus, kBar); break;
    case '=': s.token = pair('=', kEqual, kAssign); break;
    case '!': s.token = pair('=', kNotEqual, kNot); break;
    case '<': s.token = pair('=', kLessEqual, kLess); break;
    case '>': s.token = pair('=', kGreaterEqual, kGreater); break;
    default:
      expression_error("bad token");
      s.token = kEnd;
      break;
  }
}

float expression();

float primary() {
  switch (s.token) {
    case kNumber: {
      float value = s.number;
      next();
      return value;
    }
    case kName: {
      char name[kTokenTextSize];
      std::memcpy(name, s.name, sizeof name);
      next();
      if (s.token == kAssign) {
        next();
        float value = expression();
        *find_parameter(name) = value;
        return value;
      }
      return *find_parameter(name);
    }
    case kMinus:
      next();
      return -primary();
    case kOpen: {
      next();
      float value = expression();
      if (s.token != kClose) return static_cast<float>(expression_error(") expected"));
      next();
      return value;
    }
    default:
      return static_cast<float>(expression_error("primary expected"));
  }
}

float term() {
  float left = primary();
  for (;;) {
    Token op = s.token;
    if (op != kTimes && op != kDivide && op != kPower) return left;
    next();
    float right = primary();
    if (op == kTimes) {
      left = left * right;
    } else if (op == kPower) {
      left = static_cast<float>(std::pow(static_cast<double>(left), static_cast<double>(right)));
    } else if (right == 0.0f || std::isnan(right)) {
      std::fprintf(stderr, "divide by zero\n");
      left = kDummyValue;
    } else {
      left = left / right;
    }
  }
}

// A comparison looks at left - right; a difference that is no number makes "<", "<="
// and "==" true and the others false.
float compare(Token op, float left, float right) {
  float d = left - right;
  bool holds = false;
  switch (op) {
    case kLess: holds = !(d >= 0.0f); break;
    case kLessEqual: holds = !(d > 0.0f); break;
    case kEqual: holds = !(d < 0.0f || d > 0.0f); break;
    case kGreater: holds = d > 0.0f; break;
    case kGreaterEqual: holds = d >= 0.0f; break;
    case kNotEqual: holds = d < 0.0f || d > 0.0f; break;
    default: break;
  }
  return holds ? 1.0f : 0.0f;
}

float expression() {
  float left = term();
  for (;;) {
    Token op = s.token;
    switch (op) {
      case kPlus:
      case kMinus:
      case kLess:
      case kGreater:
      case kLessEqual:
      case kGreaterEqual:
      case kEqual:
      case kNotEqual:
        break;
      default:
        return left;
    }
    next();
    float right = term();
    if (op == kPlus) {
      left = left + right;
    } else if (op == kMinus) {
      left = left - right;
    } else {
      left = compare(op, left, right);
    }
  }
}

}  // namespace

int expression_error(const char* message) {
  return std::fprintf(stderr, "error %s\n", message);
}

float* find_parameter(const char* name) {
  const int index = rule_table.current_rule;
  if ((name[0] == '$' || name[0] == '@') && index >= 0 && index < rule_table.rule_count) {
    RuleSet& r = rule_table.rule_sets[index];
    const bool output = name[0] == '$';
    char (*names)[kNameSize] = output ? r.output_names : r.input_names;
    float* values = output ? r.output_values : r.input_values;
    for (int k = 0; k < kMaxParameters; ++k) {
      if (std::strcmp(names[k], name) == 0) return &values[k];
    }
    std::fprintf(stderr, "Unknown name [%s] for [%s] %3d\n", name, r.from_model, index);
  }
  dummy_value = kDummyValue;
  return &dummy_value;
}

void evaluate_text(const char* text, float* target) {
  // A stored expression has at most 63 characters; reading no further also bounds
  // the depth of the recursion.
  char copy[kExpressionSize];
  std::strncpy(copy, text, sizeof copy - 1);
  copy[sizeof copy - 1] = '\0';
  s.p = copy;
  next();
  if (s.token == kEnd) return;
  float value = expression();
  *target = value;
}
