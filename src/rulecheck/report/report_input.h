// What the conversion report is written from: the preview's counts and tally, what the
// report's own observer kept, and the response check's results when it ran.
#pragma once
#include "convert/bus_selection.h"
#include "rulecheck/fit/fit.h"
#include "rulecheck/preview/preview.h"
#include "rulecheck/report/report_tally.h"
#include "rulecheck/responses/responses.h"
#include "rules/rule_table.h"

struct ReportInput {
  const char* data_file;
  SelectionBasis basis;
  const RuleTable& table;
  const RuleState& rules;        // the preview's counts
  const PreviewTally& tally;     // the preview's warnings and other models
  const ReportTally& kept;       // statistics, suspect values and units
  const ResponseRun* responses;  // the responses compared; nullptr: not asked for
  const FitRun* fits;            // the fits made; nullptr: not asked for
};
