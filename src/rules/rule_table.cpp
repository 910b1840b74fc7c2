// The RuleTable: every conversion rule of the run, in one static block.
#include "rules/rule_table.h"

#include <cstring>

RuleTable rule_table = {0, {}, -1};

void reset_rule_table() {
  std::memset(&rule_table, 0, sizeof rule_table);
  rule_table.current_rule = -1;
}
