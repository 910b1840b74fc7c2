// The operators of the expression language on single-precision values.
#include "expr/arithmetic.h"

#include <cmath>

#include "io/console.h"

namespace {

// A comparison looks at left - right; a difference that is no number makes "<", "<="
// and "==" true and the others false.
float compare(Token op, float left, float right) {
  const float d = left - right;
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

}  // namespace

float apply_binary(Token op, float left, float right) {
  switch (op) {
    case kPlus: return left + right;
    case kMinus: return left - right;
    case kTimes: return left * right;
    case kPower:
      return static_cast<float>(std::pow(static_cast<double>(left), static_cast<double>(right)));
    case kDivide:
      if (right == 0.0f || std::isnan(right)) {
        console_printf("divide by zero\n");
        return kDummyValue;
      }
      return left / right;
    default:
      return compare(op, left, right);
  }
}
