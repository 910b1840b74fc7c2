// rulecheck: finds the mistakes of a rule library, and previews a conversion, without
// writing any file.
#include "rulecheck/rulecheck.h"

#include <cstdio>
#include <cstring>

#include "cli/command_line.h"
#include "expr/compiled_library.h"
#include "io/console.h"
#include "rulecheck/findings.h"
#include "rulecheck/library_check.h"
#include "rulecheck/preview.h"
#include "rules/rule_loader.h"
#include "rules/rule_sources.h"
#include "rules/rule_table.h"

namespace {

constexpr ProgramInfo kProgram{"rulecheck",
                               "Usage: rulecheck [--data data-file [all|include|exclude]]\n",
                               kModelconvMissingRuleFile};

// The run's fixed-size state.
LoadFailures load_failures;
RuleSources sources;
CompiledLibrary library;

}  // namespace

int run_rulecheck(int argc, char** argv) {
  int status;
  if (ends_at_command_line(argc, argv, kProgram, 1, &status)) return status;
  const char* data_file = nullptr;
  const char* selection = nullptr;
  if (argc >= 2) {
    if (std::strcmp(argv[1], "--data") != 0 || argc < 3 || argc > 4) {
      print_usage(kProgram);
      return 1;
    }
    data_file = argv[2];
    selection = argc == 4 ? argv[3] : nullptr;
  }
  // What the loader and the conversion would say on the console is reported here as
  // findings, on standard output.
  ConsoleSwitch quiet(nullptr);
  reset_findings();
  RuleTable& table = rule_table;
  const bool loaded = load_rules(table, LoadOptions{true, &sources}, load_failures);
  compile_library(table, library);
  check_library(CheckedLibrary{table, library, sources, load_failures});
  if (data_file) {
    if (!loaded) {
      std::printf("Preview skipped: the rule library does not load, so modelconv would not run\n");
    } else {
      run_preview(data_file, selection, table, library, stdout);
    }
  }
  write_finding_totals(stdout);
  if (error_count() > 0) status = 1;
  return status;
}
