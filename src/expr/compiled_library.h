// The compiled form of a loaded rule library: every expression of the RuleTable,
// compiled once after loading, and the rule a conversion runs by.
#pragma once
#include "expr/program.h"
#include "rules/rule_table.h"

struct CompiledRuleSet {
  Program assignments[kMaxParameters];
  Program tests[kMaxParameters];
  Program replaces[kMaxParameters];
};

// Room for every expression a full table can hold: a compilation never finds it full.
constexpr uint32_t kLibraryPoolSize =
    uint32_t{kMaxRuleSets} * kMaxParameters * 3 * kMaxProgramLength;

struct CompiledLibrary {
  CompiledRuleSet rule_sets[kMaxRuleSets];  // by the RuleTable's index
  Instruction pool[kLibraryPoolSize];       // the instructions they run
};

// Compiles the assignment, test and replace expressions of RuleSets 0..rule_count-1
// of the table, anew. Called by whoever loads the table, once loaded.
void compile_library(const RuleTable& table, CompiledLibrary& library);

// A rule library as a run holds it: loaded, compiled, and read-only from then on.
struct RuleLibrary {
  RuleTable table;
  CompiledLibrary compiled;
};

// One RuleSet with its compiled expressions, its working values and its counts: what a
// conversion reads, runs and changes. Made from one index, so that a program never runs
// over another RuleSet's values.
struct ActiveRule {
  const RuleSet& set;
  int index;  // in the RuleTable, as messages name it
  const CompiledRuleSet& programs;
  const Instruction* pool;
  RuleValues& values;
  RuleCounts& counts;
};
inline ActiveRule active_rule(const RuleLibrary& library, RuleState& state, int index) {
  return ActiveRule{library.table.rule_sets[index],
                    index,
                    library.compiled.rule_sets[index],
                    library.compiled.pool,
                    state.values[index],
                    state.counts[index]};
}
// The same RuleSet run on values and counts of the caller's own (the checker's dry run).
inline ActiveRule active_rule(const RuleLibrary& library, int index, RuleValues& values,
                              RuleCounts& counts) {
  return ActiveRule{library.table.rule_sets[index], index,  library.compiled.rule_sets[index],
                    library.compiled.pool,          values, counts};
}

// Runs one of the rule's programs; `text` is the expression it was compiled from.
inline void run_rule_program(const ActiveRule& rule, const Program& program, const char* text,
                             float* target) {
  run_program(program, rule.pool, text, ProgramScope{rule.set, rule.index, rule.values}, target);
}
