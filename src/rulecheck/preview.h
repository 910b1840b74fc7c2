// The preview: modelconv's conversion of a data file, run with every output switched off,
// and what it would have found, converted, failed and flagged.
#pragma once
#include <cstdio>

#include "expr/compiled_library.h"
#include "rules/rule_table.h"

// Runs the preview of `data_file` with the selection argument (nullptr: every bus) over
// the loaded and compiled library, and writes its lines to `out`. False, after an
// error finding, when the data file or the bus selection file cannot be read.
bool run_preview(const char* data_file, const char* selection_argument, RuleTable& table,
                 const CompiledLibrary& library, std::FILE* out);
