// Fuzz target: any expression text over a loaded RuleSet, evaluated as it is read and
// compiled; both must agree in value, messages and assignments.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "expr/differential.h"
#include "fuzz_support.h"
#include "rules/rule_table.h"

namespace {
fuzz_support::LoadedRules* rules;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::enter_work_folder();
  rules = &fuzz_support::load_library();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  char text[80];  // longer than a stored expression: only its first 63 characters count
  size_t n = size < sizeof text - 1 ? size : sizeof text - 1;
  std::memcpy(text, data, n);
  text[n] = '\0';
  const RuleTable& table = rules->library.table;
  const int rule = n > 0 ? data[0] % table.rule_count : 0;
  const std::string diff =
      compare_evaluations(table.rule_sets[rule], rule, rules->state.values[rule], text);
  if (!diff.empty()) {
    std::fprintf(stderr, "compiled and text evaluation differ on [%s]: %s\n", text, diff.c_str());
    std::abort();
  }
  return 0;
}
