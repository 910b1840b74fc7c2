// Loading the rule selection file "rule.txt" and the rule files under "lib/".
#pragma once
#include <cstddef>

#include "io/line_reader.h"
#include "rules/rule_sources.h"
#include "rules/rule_table.h"

constexpr const char* kRuleSelectionFile = "rule.txt";

// The console message for a rule file that cannot be opened differs between the
// programs; it gets the file's path.
constexpr const char* kModelconvMissingRuleFile = "Unable to open the MCDF [%s]\n";
constexpr const char* kModeltestMissingRuleFile = "Unable to open the rule file [%s]\n";

enum class LoadProblem { missing_selection_file, missing_rule_file, limit_exceeded };
// The limit of the table that a library exceeds.
enum class Limit { pairs, section_lines, name_length, expression_length };

struct LoadFailure {
  LoadProblem problem;
  char file[48];  // as the programs name it: "rule.txt" or "lib/from-to"
  int line;       // 1-based; for a missing rule file, its pair's line in "rule.txt"
  int column;     // 1-based, 0 when no token is concerned
  Limit limit;    // the limit exceeded (limit_exceeded only)
};

// The failures of one load, in the order met: at most one per rule file and one per
// line of "rule.txt"; more than kMaxLoadFailures are counted, not kept.
constexpr int kMaxLoadFailures = 256;
struct LoadFailures {
  LoadFailure items[kMaxLoadFailures];
  int count;
};
inline int kept_failures(const LoadFailures& f) {
  return f.count < kMaxLoadFailures ? f.count : kMaxLoadFailures;
}

struct LoadOptions {
  // After a failure, go on with what can still be read (the checker): a rule file that
  // cannot be opened leaves its RuleSet empty, a limit ends the reading of its file
  // (or, in "rule.txt", skips the pair). Otherwise the load stops at the first failure.
  bool keep_going;
  RuleSources* sources;  // filled with where everything stands; nullptr: not wanted
};

// Fills `table` (empty before) from "rule.txt" and the rule files, echoing each pair
// to the console as it is read, each line read whole into `line`. Returns false when
// anything failed; the failures are in `failures`, and no message about them has been
// written: that is the caller's.
bool load_rules(RuleTable& table, const LoadOptions& options, LoadFailures& failures,
                WholeLine& line);

// The programs' message for a failure, on the console.
void print_load_failure(const LoadFailure& failure, const char* missing_rule_file_format);

// "more than 128 pairs", "name longer than 15 characters", ...
void describe_limit(Limit limit, char* out, std::size_t size);

// "lib/" + from-model + "-" + to-model of RuleSet i.
constexpr std::size_t kRulePathSize = 2 * kNameSize + 8;
void rule_file_path(const RuleTable& table, int i, char* buf, std::size_t size);

// "rule.txt" and the path of every rule file of the table: what a run reads.
struct RuleLibraryFiles {
  const char* names[kMaxRuleSets + 1];
  char paths[kMaxRuleSets][kRulePathSize];
  int count;
};
void list_rule_library_files(const RuleTable& table, RuleLibraryFiles& files);
