// Checking the fit files of a library: what their lines cannot say, and what a fit of
// them would meet (a start outside its bounds, an output that others are computed from).
#pragma once
#include "rulecheck/check/library_check.h"
#include "rules/fit_file.h"

void check_fit_files(const CheckedLibrary& library, const FitLibrary& fits,
                     const FitIssues& issues);
