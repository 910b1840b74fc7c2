// Fuzz target: the rule loader, the compiler, the report and the rule checker on
// arbitrary "rule.txt" and rule file contents.
// The input's first part (up to a NUL byte) is "rule.txt"; the rest is every rule file.
#include <cstdint>
#include <cstring>

#include "expr/compiled_library.h"
#include "fuzz_support.h"
#include "io/console.h"
#include "rulecheck/catalogue_commands.h"
#include "rulecheck/findings/findings.h"
#include "rulecheck/check/library_check.h"
#include "rules/rule_loader.h"
#include "rules/rule_table.h"
#include "rules/rules_report.h"

namespace {
LoadFailures failures;
RuleSources sources;
RuleLibrary library;
RuleState state;
WholeLine line;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::enter_work_folder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const void* nul = std::memchr(data, '\0', size);
  size_t selection = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - data) : size;
  fuzz_support::write_file("rule.txt", data, selection);
  size_t rest = size - selection - (nul ? 1 : 0);
  const uint8_t* rule_file = data + size - rest;
  // Every pair the selection names gets the same rule file.
  RuleTable& table = library.table;
  reset_rule_table(table);
  load_rules(table, LoadOptions{false, nullptr}, failures, line);
  for (int i = 0; i < table.rule_count; ++i) {
    char path[kRulePathSize];
    rule_file_path(table, i, path, sizeof path);
    if (std::strchr(path + 4, '/') == nullptr) fuzz_support::write_file(path, rule_file, rest);
  }
  reset_rule_table(table);
  if (load_rules(table, LoadOptions{false, nullptr}, failures, line)) {
    compile_library(table, library.compiled);
    start_rule_state(table, state);
    std::FILE* report = write_rules_report(table);
    write_rule_summary(table, state, report);
    if (report != stdout) std::fclose(report);
  } else {
    print_load_failure(failures.items[0], kModeltestMissingRuleFile);
  }
  // The checker on the same files, going on past every failure, its findings dropped.
  reset_rule_table(table);
  {
    ConsoleSwitch quiet(nullptr);
    std::FILE* dropped = std::fopen("/dev/null", "w");
    Findings findings{dropped, 0, 0};
    load_rules(table, LoadOptions{true, &sources}, failures, line);
    compile_library(table, library.compiled);
    check_library(CheckedLibrary{library, sources, failures, findings});
    // The catalogue's commands on the names the input gives.
    for (int i = 0; i < table.rule_count; ++i) {
      const RuleSet& r = table.rule_sets[i];
      show_model(dropped, r.from_model);
      write_skeleton(dropped, r.from_model, r.to_model);
    }
    std::fclose(dropped);
  }
  return 0;
}
