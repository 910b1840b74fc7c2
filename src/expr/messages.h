// The evaluator's run-time messages, written the same way by compiled expressions and
// by the text evaluator, at the same moments.
#pragma once
#include "rules/rule_table.h"

// Writes "error <message>" to the console; yields the number of characters written.
int expression_error(const char* message);
// "Unknown name [name] for [from-model] index" for RuleSet `rule_index` of the table;
// `length` characters of `name` are shown.
void unknown_name_message(const char* name, int length, const RuleSet& rule, int rule_index);
// "divide by zero".
void divide_by_zero_message();
