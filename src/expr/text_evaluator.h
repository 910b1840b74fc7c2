// The text evaluator: evaluates a rule expression as it reads it. The programs run
// compiled expressions; this is the reference they are proven against (test library).
#pragma once
#include "rules/rule_table.h"

// Evaluates one expression of `text` (at most 63 characters are read, as a RuleSet
// stores them) over `rule` (RuleSet `rule_index` of its table) and stores its value
// into *target. An empty text, or one whose first token is the end (";", a bad
// character), leaves *target untouched.
void evaluate_text(const char* text, RuleSet& rule, int rule_index, float* target);
