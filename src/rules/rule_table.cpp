// The rule library as loaded, and the working values and counts a run keeps beside it.
#include "rules/rule_table.h"

#include <cstring>

void reset_rule_table(RuleTable& table) { std::memset(&table, 0, sizeof table); }

Replacement replacement_of(const char* replace_expression) {
  if (std::strncmp(replace_expression, kNoReplacement, 4) != 0) return Replacement::expression;
  return replace_expression[4] == '\0' ? Replacement::none : Replacement::never;
}

RuleValues start_values(const RuleSet& rule) {
  RuleValues v;
  std::memcpy(v.inputs, rule.input_start, sizeof v.inputs);
  std::memcpy(v.outputs, rule.output_start, sizeof v.outputs);
  return v;
}

void start_rule_state(const RuleTable& table, RuleState& state) {
  std::memset(&state, 0, sizeof state);
  for (int i = 0; i < table.rule_count; ++i) state.values[i] = start_values(table.rule_sets[i]);
}
