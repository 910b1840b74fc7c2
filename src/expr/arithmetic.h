// The operators of the expression language on single-precision values.
#pragma once
#include "expr/lexer.h"

// What an unresolvable name and a division by zero yield.
constexpr float kDummyValue = -99999.0f;

// left op right for a binary operator token (after "&&" and "||" have become "*" and
// "+"). A division by zero (either sign) or by a value that is no number writes
// "divide by zero" and yields the dummy value.
float apply_binary(Token op, float left, float right);
