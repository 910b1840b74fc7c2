// The conversion report: one self-contained HTML file of what a preview found, to be
// read in any browser, printed, or read as text.
#pragma once
#include <cstdio>

#include "rulecheck/report/report_input.h"

// Writes the report: the run's facts, a summary per rule, a table of every rule's
// output parameters with a histogram of its values, the suspect values, the models
// no rule converts and the data file's warnings. The same inputs give the same bytes.
void write_html_report(std::FILE* out, const ReportInput& input);
