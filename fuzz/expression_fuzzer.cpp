// Fuzz target: the expression evaluator on arbitrary text over a loaded RuleSet.
#include <cstdint>
#include <cstring>

#include "expr/evaluator.h"
#include "fuzz_support.h"
#include "rules/rule_loader.h"
#include "rules/rule_table.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::enter_work_folder();
  if (!load_rules(kModelconvMissingRuleFile)) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  char text[kExpressionSize];
  size_t n = size < sizeof text - 1 ? size : sizeof text - 1;
  std::memcpy(text, data, n);
  text[n] = '\0';
  rule_table.current_rule = 0;
  float target = 0.0f;
  evaluate_text(text, &target);
  return 0;
}
