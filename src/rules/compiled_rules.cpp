// Every expression of the RuleTable, compiled once when the rules are loaded.
#include "rules/compiled_rules.h"

#include "expr/compiler.h"

namespace {
constexpr uint32_t kPoolSize = uint32_t{kMaxRuleSets} * kMaxParameters * 3 * kMaxProgramLength;
}  // namespace

CompiledRuleSet compiled_rules[kMaxRuleSets];
Instruction rule_instructions[kPoolSize];

void compile_rule_table() {
  InstructionPool pool{rule_instructions, kPoolSize, 0};
  for (int i = 0; i < rule_table.rule_count; ++i) {
    const RuleSet& r = rule_table.rule_sets[i];
    CompiledRuleSet& c = compiled_rules[i];
    for (int k = 0; k < r.output_count; ++k) {
      // Room for the whole table: a compilation never finds the pool full.
      compile_expression(r.expressions[k], i, pool, c.assignments[k]);
      compile_expression(r.test_expressions[k], i, pool, c.tests[k]);
      compile_expression(r.replace_expressions[k], i, pool, c.replaces[k]);
    }
  }
}
