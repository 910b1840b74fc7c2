// Running an expression text both ways, read as it is evaluated and compiled, and
// telling whether they agree: the value, every message, every assignment (test library).
#pragma once
#include <string>

#include "rules/rule_table.h"

// An empty text when both ways agree; otherwise what differs. Each way runs on its own
// copy of `values`, as RuleSet `index` of its table.
std::string compare_evaluations(const RuleSet& rule, int index, const RuleValues& values,
                                const char* text);
