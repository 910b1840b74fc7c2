// rulecheck: finds the mistakes of a rule library, and previews a conversion, without
// writing any file.
#include "rulecheck/rulecheck_driver.h"

#include <cstdio>
#include <cstring>

#include "io/console.h"
#include "io/files.h"
#include "rulecheck/findings.h"
#include "rulecheck/library_check.h"
#include "rulecheck/preview.h"
#include "rules/rule_loader.h"

namespace {

constexpr const char* kUsage = "Usage: rulecheck [--data data-file [all|include|exclude]]\n";

}  // namespace

int run_rulecheck(int argc, char** argv) {
  use_binary_console();
  int status = 0;
  if (handle_info_option(argc, argv, kUsage, "rulecheck", &status)) return status;
  const char* data_file = nullptr;
  const char* selection = nullptr;
  if (argc >= 2) {
    if (std::strcmp(argv[1], "--data") != 0 || argc < 3 || argc > 4) {
      std::fputs(kUsage, stderr);
      return 1;
    }
    data_file = argv[2];
    selection = argc == 4 ? argv[3] : nullptr;
  }

  reset_findings();
  const bool loaded = load_rules(LoadOptions{kModelconvMissingRuleFile, false, true, true});
  check_library();
  if (data_file) {
    if (!loaded) {
      std::printf("Preview skipped: the rule library does not load, so modelconv would not run\n");
    } else {
      run_preview(data_file, selection, stdout);
    }
  }
  write_finding_totals(stdout);
  if (error_count() > 0) status = 1;
  return status;
}
