// The text evaluator: evaluates a rule expression as it reads it, its names resolved
// in the current RuleSet. It is the reference that compiled expressions must match.
#pragma once
#include "expr/arithmetic.h"
#include "expr/messages.h"

// Evaluates one expression of `text` (at most 63 characters are read, as a RuleSet
// stores them) and stores its value into *target. An empty text, or one whose first
// token is the end (";", a bad character), leaves *target untouched.
void evaluate_text(const char* text, float* target);

// The value a name stands for within RuleSet current_rule, or the dummy value
// (-99999) with a message for an unknown "@"/"$" name, silently for any other name.
float* find_parameter(const char* name);
