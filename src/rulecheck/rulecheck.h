// rulecheck: finds the mistakes of a rule library, and previews a conversion, without
// writing any file but, on request, a conversion report.
#pragma once
#include "convert/bus_selection.h"
#include "convert/reading_loop.h"
#include "expr/compiled_library.h"
#include "io/files.h"
#include "io/line_reader.h"
#include "io/output_file.h"
#include "rulecheck/findings/findings.h"
#include "rulecheck/fit/fit.h"
#include "rulecheck/preview/preview.h"
#include "rulecheck/report/report_tally.h"
#include "rulecheck/responses/responses.h"
#include "rules/fit_file.h"
#include "rules/rule_loader.h"
#include "rules/rule_sources.h"

// What a run of rulecheck does: check the library (and preview a data file), or tell
// what the model catalogue holds.
enum class CheckMode { library, models, skeleton };

// Everything one run of rulecheck holds. main keeps the one instance; every step of the
// run gets it, or the part it needs.
struct CheckRun {
  // The command line.
  CheckMode mode;
  const char* model;        // --models NAME, or the from-model of --skeleton
  const char* to_model;     // of --skeleton
  const char* data_file;    // nullptr: the library alone is checked
  const char* selection;    // nullptr: every bus
  const char* report;       // nullptr: no report
  bool responses;           // --responses, or --fit
  const char* fitted_file;  // --fit: the converted file with fitted values; nullptr: no fit
  ResponseOptions response_options;
  // The rule library, loaded going on past every failure, where each part stands, and
  // what failed; read-only once loaded.
  RuleLibrary library;
  RuleSources sources;
  LoadFailures failures;
  FitLibrary fits;  // the fit files beside the rule files
  FitIssues fit_issues;
  WholeLine line;  // rule files and the bus list are read a whole line at a time
  Findings findings;
  // The preview: the working values and counts of the rules, what it tallies, and what
  // its reading loop reads into.
  RuleState rules;
  PreviewTally tally;
  ReportTally kept;          // what the report keeps, only when it is asked for
  ResponseRun response_run;  // what --responses compares and keeps
  FitRun fit_run;            // what --fit tunes and keeps
  OutputFile fitted;         // the converted file with fitted values, written whole or not at all
  char fitted_buffer[kWriteBufferSize];
  BusSelection bus_selection;
  LoopBuffers loop;
  // The report, written whole or not at all.
  OutputFile report_file;
  char report_buffer[kWriteBufferSize];
};

// The whole program; returns the exit status.
int run_rulecheck(int argc, char** argv, CheckRun& run);
