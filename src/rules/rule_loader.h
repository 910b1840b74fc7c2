// Loading the rule selection file "rule.txt" and the rule files under "lib/".
#pragma once
#include <cstddef>

// The console message for a rule file that cannot be opened differs between the
// programs; it gets the file's path.
constexpr const char* kModelconvMissingRuleFile = "Unable to open the MCDF [%s]\n";
constexpr const char* kModeltestMissingRuleFile = "Unable to open the rule file [%s]\n";

// Fills rule_table from "rule.txt" and the rule files, echoing each pair. On failure
// (a missing file, a limit of the table exceeded) the message is on standard error and
// false is returned; ending the run is the caller's decision.
bool load_rules(const char* missing_rule_file_format);

// Puts "rule.txt" and the path of every loaded rule file into `names` (room for
// kMaxRuleSets + 1); returns how many.
int list_rule_library_files(const char** names);

// "lib/" + from-model + "-" + to-model of RuleSet i.
void rule_file_path(int i, char* buf, std::size_t size);
constexpr std::size_t kRulePathSize = 40;
