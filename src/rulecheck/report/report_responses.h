// The report's "Responses" section: the response check's outcomes, plots and records that
// did not pass (only when in.responses is set).
#pragma once
#include "rulecheck/report/html_writer.h"
#include "rulecheck/report/report_input.h"

void write_responses(Html& h, const ReportInput& in);
