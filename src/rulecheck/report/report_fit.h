// The report's "Fit" section: per rule the fits' counts, the worst fitted record as plots
// of OLD, NEW as the rule converts it and NEW fitted, and every fitted record with its
// values before and after (only when --fit ran).
#pragma once
#include "rulecheck/fit/fit.h"
#include "rulecheck/report/html_writer.h"
#include "rulecheck/report/report_input.h"

void write_fits(Html& h, const ReportInput& in, const FitRun& fits);
