// Checking a loaded rule library without any data file: every pair, parameter and
// expression, then a dry run of each RuleSet on the input values its rule file gives.
#pragma once

// Reports every finding of the library that load_rules (keep going) has loaded.
void check_library();
