// Shared set-up of the fuzz targets: a private working folder with a fixed rule library.
#pragma once
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "expr/compiled_library.h"
#include "io/console.h"
#include "rules/rule_loader.h"
#include "rules/rule_table.h"

namespace fuzz_support {

inline void write_file(const char* name, const void* bytes, size_t size) {
  std::FILE* f = std::fopen(name, "wb");
  if (!f) std::abort();
  if (size > 0) std::fwrite(bytes, 1, size, f);
  std::fclose(f);
}
inline void write_text(const char* name, const char* text) {
  write_file(name, text, std::strlen(text));
}

// A library that exercises every kind of expression, test and replacement.
inline void write_rule_library() {
  mkdir("lib", 0755);
  write_text("rule.txt", "# fixed library\ngenrou gentpj\ntgov1 ieeeg1\nieeeg1 ieeeg1\ngen x\n");
  write_text("lib/genrou-gentpj",
             "@tpdo\n@tppdo\n@tpqo\n@tppqo\n@h\n@d\n@ld\n@lq\n@end\n"
             "$tpdo=@tpdo 3 10 ($tpdo>0.5)&&($tpdo<15) 5\n"
             "$tppdo=@tppdo 0.02 0.05 ($tppdo>0)&&($tppdo<$tpdo) @tpdo/100\n"
             "$tpqo=@tpqo/@d 0 1 ($tpqo!=0) NULL1\n"
             "$h=@h^0.5 1 2 $h NULL\n"
             "$ld=-@ld*-1 0 0 ($ld>=$tpdo)||($ld<=0) $ld=@lq\n"
             "$x=@nothere 0 0 1 $zz\n"
             "$end\n");
  write_text("lib/tgov1-ieeeg1", "@r\n@t1\n@end\n$k=1/@r 10 30 ($k<50) 20\n$t1=@t1\n$end\n");
  write_text("lib/ieeeg1-ieeeg1", "@k\n@end\n$k=@k 0 0 0 7\n$end\n");
  write_text("lib/gen-x", "@end\n");
}

// A loaded library and the working values and counts of a run beside it.
struct LoadedRules {
  RuleLibrary library;
  RuleState state;
  LoadFailures failures;
  WholeLine line;
};

// Loads the fixed library, as the programs load, and compiles it.
inline LoadedRules& load_library() {
  static LoadedRules rules;
  reset_rule_table(rules.library.table);
  if (!load_rules(rules.library.table, LoadOptions{false, nullptr}, rules.failures, rules.line))
    std::abort();
  compile_library(rules.library.table, rules.library.compiled);
  start_rule_state(rules.library.table, rules.state);
  return rules;
}

// Moves into a new folder of its own under /tmp, with the rule library in it.
inline void enter_work_folder() {
  char pattern[] = "/tmp/convfuzz-XXXXXX";
  if (!mkdtemp(pattern) || chdir(pattern) != 0) std::abort();
  write_rule_library();
}

}  // namespace fuzz_support
