// The operators of the expression language on single-precision values: pure
// arithmetic, shared by the machine, the text evaluator and the checker's folding.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstring>

#include "expr/lexer.h"

// What an unresolvable name and a division by zero yield.
constexpr float kDummyValue = -99999.0f;

// A comparison looks at left - right; a difference that is no number makes "<", "<="
// and "==" true and the others false.
inline float compare(Token op, float left, float right) {
  const float d = left - right;
  bool holds = false;
  switch (op) {
    case kLess:
      holds = !(d >= 0.0f);
      break;
    case kLessEqual:
      holds = !(d > 0.0f);
      break;
    case kEqual:
      holds = !(d < 0.0f || d > 0.0f);
      break;
    case kGreater:
      holds = d > 0.0f;
      break;
    case kGreaterEqual:
      holds = d >= 0.0f;
      break;
    case kNotEqual:
      holds = d < 0.0f || d > 0.0f;
      break;
    default:
      break;
  }
  return holds ? 1.0f : 0.0f;
}

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
// "+"). A division by zero yields the dummy value; its message is the caller's.
inline float binary_value(Token op, float left, float right) {
  switch (op) {
    case kPlus:
      return std::isnan(left) && std::isnan(right) ? left_nan(left) : left + right;
    case kMinus:
      return left - right;
    case kTimes:
      return std::isnan(left) && std::isnan(right) ? left_nan(left) : left * right;
    case kPower:
      return static_cast<float>(std::pow(static_cast<double>(left), static_cast<double>(right)));
    case kDivide:
      return divides_by_zero(right) ? kDummyValue : left / right;
    default:
      return compare(op, left, right);
  }
}
