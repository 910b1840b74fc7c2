// Loading the rule selection file "rule.txt" and the rule files under "lib/".
#pragma once
#include <cstddef>

// The console message for a rule file that cannot be opened differs between the
// programs; it gets the file's path.
constexpr const char* kModelconvMissingRuleFile = "Unable to open the MCDF [%s]\n";
constexpr const char* kModeltestMissingRuleFile = "Unable to open the rule file [%s]\n";

struct LoadOptions {
  const char* missing_rule_file_format;
  bool echo_pairs;      // "[from] [to]" on the console for each pair read
  bool keep_going;      // after a failure, go on with what can still be read (the checker)
  bool record_sources;  // fill rule_sources (the checker); the programs need no positions
};

// Fills rule_table from "rule.txt" and the rule files, records where everything stands
// (rule_sources) and compiles every expression. On a failure (a missing file, a limit
// of the table exceeded) the message is on standard error and false is returned; ending
// the run is the caller's decision. With keep_going, a rule file that cannot be opened
// leaves its RuleSet empty, a limit ends the reading of its file (or, in "rule.txt",
// skips the pair), and the rest is loaded.
bool load_rules(const LoadOptions& options);
// As the programs load: pairs echoed, stop at the first failure.
bool load_rules(const char* missing_rule_file_format);

// What went wrong while loading, for the checker to point at.
enum class LoadProblem { missing_selection_file, missing_rule_file, limit_exceeded };
struct LoadFailure {
  LoadProblem problem;
  char file[48];     // as the programs name it: "rule.txt" or "lib/from-to"
  int line;          // 1-based; for a missing rule file, its pair's line in "rule.txt"
  int column;        // 1-based, 0 when no token is concerned
  const char* what;  // the limit exceeded
};
// The failures of the last load, in the order met (at most one per rule file and one
// per line of "rule.txt" can occur; more than kMaxLoadFailures are counted, not kept).
constexpr int kMaxLoadFailures = 256;
extern LoadFailure load_failures[kMaxLoadFailures];
extern int load_failure_count;

// Puts "rule.txt" and the path of every loaded rule file into `names` (room for
// kMaxRuleSets + 1); returns how many.
int list_rule_library_files(const char** names);

// "lib/" + from-model + "-" + to-model of RuleSet i.
void rule_file_path(int i, char* buf, std::size_t size);
constexpr std::size_t kRulePathSize = 40;
