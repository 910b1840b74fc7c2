// The rules-used report "rulesused.txt" and the end-of-run rule summary.
#pragma once
#include <cstdio>

#include "rules/rule_table.h"

constexpr const char* kRulesReportFile = "rulesused.txt";

// Creates "rulesused.txt" (standard output when it cannot be created), writes the list
// of rules into it and the closing console lines of the rule loading. Returns the
// report stream, left open for the summary.
std::FILE* write_rules_report(const RuleTable& table);

// One line per RuleSet with its found and converted counts, each first to the console
// and then to the report.
void write_rule_summary(const RuleTable& table, const RuleState& state, std::FILE* report);
