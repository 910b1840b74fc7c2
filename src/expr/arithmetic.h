// The operators of the expression language on single-precision values.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstring>

#include "expr/lexer.h"

// What an unresolvable name and a division by zero yield.
constexpr float kDummyValue = -99999.0f;

// Writes "divide by zero" and yields the dummy value.
float divide_by_zero();

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
inline float add(float left, float right) {
  return std::isnan(left) && std::isnan(right) ? left_nan(left) : left + right;
}
inline float multiply(float left, float right) {
  return std::isnan(left) && std::isnan(right) ? left_nan(left) : left * right;
}
inline float divide(float left, float right) {
  if (right == 0.0f || std::isnan(right)) return divide_by_zero();
  return left / right;
}
inline float power(float left, float right) {
  return static_cast<float>(std::pow(static_cast<double>(left), static_cast<double>(right)));
}

// left op right for a binary operator token (after "&&" and "||" have become "*" and
// "+"). A division by zero (either sign) or by a value that is no number writes
// "divide by zero" and yields the dummy value.
inline float apply_binary(Token op, float left, float right) {
  switch (op) {
    case kPlus:
      return add(left, right);
    case kMinus:
      return left - right;
    case kTimes:
      return multiply(left, right);
    case kPower:
      return power(left, right);
    case kDivide:
      return divide(left, right);
    default:
      return compare(op, left, right);
  }
}
