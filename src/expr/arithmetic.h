// The operators of the expression language on single-precision values: pure
// arithmetic, shared by the machine, the text evaluator and the checker's folding.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstring>

#include "expr/lexer.h"

// What an unresolvable name and a division by zero yield.
constexpr float kDummyValue = -99999.0f;

// Where both operands are NaNs, the machine gives one of them, by the order in which
// it takes them, and a compiler may take the operands of "+" and "*" either way: the
// left one is given here, always, so that every evaluation shows the same sign.
inline float left_nan(float left) {
  uint32_t bits;
  std::memcpy(&bits, &left, sizeof bits);
  bits |= 0x00400000;  // quiet, as the machine makes it
  std::memcpy(&left, &bits, sizeof bits);
  return left;
}

// A divisor of zero (either sign) or one that is no number: the division writes
// "divide by zero" and yields the dummy value.
inline bool divides_by_zero(float right) { return right == 0.0f || std::isnan(right); }

// left op right for a binary operator token (after "&&" and "||" have become "*" and
// "+"), in one flat switch so that the machine dispatches once. A division by zero
// yields the dummy value; its message is the caller's. A comparison looks at
// left - right; a difference that is no number makes "<", "<=" and "==" true and the
// others false.
inline float binary_value(Token op, float left, float right) {
  const float d = left - right;
  switch (op) {
    case kPlus:
      return std::isnan(left) && std::isnan(right) ? left_nan(left) : left + right;
    case kMinus:
      return d;
    case kTimes:
      return std::isnan(left) && std::isnan(right) ? left_nan(left) : left * right;
    case kPower:
      return static_cast<float>(std::pow(static_cast<double>(left), static_cast<double>(right)));
    case kDivide:
      return divides_by_zero(right) ? kDummyValue : left / right;
    case kLess:
      return !(d >= 0.0f) ? 1.0f : 0.0f;
    case kLessEqual:
      return !(d > 0.0f) ? 1.0f : 0.0f;
    case kEqual:
      return !(d < 0.0f || d > 0.0f) ? 1.0f : 0.0f;
    case kGreater:
      return d > 0.0f ? 1.0f : 0.0f;
    case kGreaterEqual:
      return d >= 0.0f ? 1.0f : 0.0f;
    case kNotEqual:
      return d < 0.0f || d > 0.0f ? 1.0f : 0.0f;
    default:
      return 0.0f;  // no other token is a binary operator
  }
}
