// Where each part of the rule library stands in its files: the line and column of every
// pair, parameter and expression, so that findings can point at them.
#include "rules/rule_sources.h"

RuleSource rule_sources[kMaxRuleSets];
