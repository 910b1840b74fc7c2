// The preview: modelconv's conversion of a data file, run with every output switched off,
// and what it would have found, converted, failed and flagged.
#pragma once
#include <cstdio>

// Runs the preview of `data_file` with the selection argument (nullptr: every bus) and
// writes its lines to `out`. False, after an error finding, when the data file or
// the bus selection file cannot be read.
bool run_preview(const char* data_file, const char* selection_argument, std::FILE* out);
