// The text evaluator: evaluates a rule expression as it reads it. The programs run
// compiled expressions; this is the reference they are proven against (test library).
#pragma once
#include "expr/program.h"

// Evaluates one expression of `text` (at most 63 characters are read, as a RuleSet
// stores them) in `scope` and stores its value into *target. An empty text, or one
// whose first token is the end (";", a bad character), leaves *target untouched.
void evaluate_text(const char* text, const ProgramScope& scope, float* target);
