// The RuleTable: every conversion rule of the run, in one static block.
#include "rules/rule_table.h"

#include <cstring>

RuleTable rule_table = {0, {}, -1};

void reset_rule_table(RuleTable& table) {
  std::memset(&table, 0, sizeof table);
  table.current_rule = -1;
}

Replacement replacement_of(const char* replace_expression) {
  if (std::strncmp(replace_expression, kNoReplacement, 4) != 0) return Replacement::expression;
  return replace_expression[4] == '\0' ? Replacement::none : Replacement::never;
}
