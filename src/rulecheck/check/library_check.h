// Checking a loaded rule library without any data file: every pair, parameter and
// expression, then a dry run of each RuleSet on the input values its rule file gives.
#pragma once
#include "convert/convert_record.h"
#include "expr/compiled_library.h"
#include "rulecheck/findings/findings.h"
#include "rules/rule_loader.h"
#include "rules/rule_sources.h"
#include "rules/rule_table.h"

// A library as the checker sees it: loaded going on past every failure, its positions
// recorded, compiled.
struct CheckedLibrary {
  const RuleLibrary& library;
  const RuleSources& sources;
  const LoadFailures& failures;
  Findings& findings;
  const RuleTable& table() const { return library.table; }
};

// Reports every finding of the library, file by file.
void check_library(const CheckedLibrary& library);

// The RuleSet converted once from its rule file's input values and the mid values of its
// limits, as the first record of a run would be, on working values of its own.
ConversionResult dry_run(const CheckedLibrary& library, int i);
