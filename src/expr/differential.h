// Running an expression text both ways, read as it is evaluated and compiled, and
// telling whether they agree: the value, every message, every assignment (test library).
#pragma once
#include <string>

#include "rules/rule_table.h"

struct EvaluationTrace {
  bool stored;           // the target was written
  unsigned target_bits;  // the target's bits afterwards
  std::string messages;  // what was written to the console
  std::string values;    // the bytes of the RuleSet's values afterwards
};

// Evaluates `text` over RuleSet `rule_index` of `table` from the RuleSet's present
// values, which it leaves as it found them: with the text evaluator when `compiled` is
// false, by compiling and running it otherwise.
EvaluationTrace trace_evaluation(RuleTable& table, int rule_index, const char* text, bool compiled);

// An empty text when both ways agree; otherwise what differs.
std::string compare_evaluations(RuleTable& table, int rule_index, const char* text);
