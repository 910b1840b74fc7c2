// Every expression of the RuleTable, compiled once when the rules are loaded.
#pragma once
#include "expr/program.h"
#include "rules/rule_table.h"

struct CompiledRuleSet {
  Program assignments[kMaxParameters];
  Program tests[kMaxParameters];
  Program replaces[kMaxParameters];
};

extern CompiledRuleSet compiled_rules[kMaxRuleSets];
extern Instruction rule_instructions[];  // the pool the programs run from

// Compiles the assignment, test and replace expressions of RuleSets 0..rule_count-1,
// anew. The pool has room for every expression a full table can hold.
void compile_rule_table();

// Runs a compiled expression of RuleSet current_rule; `text` is the expression.
inline void run_rule_program(const Program& program, const char* text, float* target) {
  run_program(program, rule_instructions, text, target);
}
