// The compiled form of a loaded rule library: every expression of the RuleTable,
// compiled once after loading, and the rule a conversion runs by.
#include "expr/compiled_library.h"

#include "expr/compiler.h"

void compile_library(const RuleTable& table, CompiledLibrary& library) {
  InstructionPool pool{library.pool, kLibraryPoolSize, 0};
  for (int i = 0; i < table.rule_count; ++i) {
    const RuleSet& r = table.rule_sets[i];
    CompiledRuleSet& c = library.rule_sets[i];
    for (int k = 0; k < r.output_count; ++k) {
      compile_expression(r.expressions[k], &r, pool, c.assignments[k]);
      compile_expression(r.test_expressions[k], &r, pool, c.tests[k]);
      compile_expression(r.replace_expressions[k], &r, pool, c.replaces[k]);
    }
  }
}
