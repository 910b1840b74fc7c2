// Running an expression text both ways, read as it is evaluated and compiled, and
// telling whether they agree: the value, every message, every assignment (test library).
#pragma once
#include <string>

#include "rules/rule_table.h"

// An empty text when both ways agree; otherwise what differs.
std::string compare_evaluations(RuleTable& table, int rule_index, const char* text);
