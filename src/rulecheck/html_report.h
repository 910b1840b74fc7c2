// The conversion report: one self-contained HTML file of what a preview found, to be
// read in any browser, printed, or read as text.
#pragma once
#include <cstdio>

#include "convert/bus_selection.h"
#include "rulecheck/preview.h"
#include "rulecheck/responses.h"
#include "rules/rule_table.h"

struct ReportInput {
  const char* data_file;
  SelectionBasis basis;
  const RuleTable& table;
  const RuleState& rules;     // the preview's counts
  const PreviewTally& tally;  // run with statistics kept
  const ReportUnits& units;   // the units listed per rule
  ResponseRun* responses;     // the responses compared; nullptr: not asked for
};

// Writes the report: the run's facts, a summary per rule, a table of every rule's
// output parameters with a histogram of its values, the suspect values, the models
// no rule converts and the data file's warnings. The same inputs give the same bytes.
void write_html_report(std::FILE* out, const ReportInput& input);
