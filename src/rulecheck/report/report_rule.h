// Rule i's part of the report, folded in a details element: its counts, the values
// records hold that it does not read, its output parameters with their histograms, and
// its units.
#pragma once
#include "rulecheck/report/html_writer.h"
#include "rulecheck/report/report_input.h"

// Whether the report opens rule i's part: something in it asks for a look.
bool rule_needs_a_look(const ReportInput& in, int i);

void write_rule(Html& h, const ReportInput& in, int i);
