// Checking a rule file against the record layouts of the model catalogue: inputs read
// from, and outputs written to, the positions their names hold in the models.
#pragma once
#include "rulecheck/check/library_check.h"

// The layout findings of RuleSet i, whose rule file is `file`.
void check_layouts(const CheckedLibrary& library, int i, const char* file);
