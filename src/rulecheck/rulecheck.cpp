// rulecheck: finds the mistakes of a rule library, and previews a conversion, without
// writing any file.
#include "rulecheck/rulecheck.h"

#include <cstdio>
#include <cstring>

#include "cli/command_line.h"
#include "convert/bus_selection.h"
#include "expr/compiled_library.h"
#include "io/console.h"
#include "io/files.h"
#include "io/output_file.h"
#include "rulecheck/findings.h"
#include "rulecheck/html_report.h"
#include "rulecheck/library_check.h"
#include "rulecheck/preview.h"
#include "rules/rule_loader.h"
#include "rules/rule_sources.h"
#include "rules/rule_table.h"

namespace {

constexpr ProgramInfo kProgram{
    "rulecheck",
    "Usage: rulecheck [--data data-file [all|include|exclude] [--report report.html]]\n",
    kModelconvMissingRuleFile};

struct Arguments {
  const char* data_file;  // nullptr: the library alone is checked
  const char* selection;  // nullptr: every bus
  const char* report;     // nullptr: no report
};

// rulecheck [--data data-file [all|include|exclude] [--report report.html]]
bool read_arguments(int argc, char** argv, Arguments& args) {
  args = Arguments{nullptr, nullptr, nullptr};
  if (argc == 1) return true;
  if (std::strcmp(argv[1], "--data") != 0 || argc < 3) return false;
  args.data_file = argv[2];
  int i = 3;
  if (i < argc && std::strcmp(argv[i], "--report") != 0) args.selection = argv[i++];
  if (i < argc) {
    if (std::strcmp(argv[i], "--report") != 0 || i + 1 >= argc) return false;
    args.report = argv[i + 1];
    i += 2;
  }
  return i == argc;
}

// The report may not overwrite a file the run reads. False after an error finding.
bool report_is_distinct(const Arguments& args, const RuleTable& table) {
  const char* list =
      args.selection && names_selection_file(args.selection) ? args.selection : nullptr;
  if (!find_run_clash(table, {args.report}, {args.data_file, list})) return true;
  report(Severity::error, SourcePoint{args.report, 0, 0},
         "is a file this run reads: the report is not written");
  return false;
}

// Writes the report whole, or not at all. False after an error finding.
bool write_report(const Arguments& args, const RuleTable& table, const PreviewTally& tally,
                  const char* basis) {
  static char buffer[kWriteBufferSize];
  static OutputFile file;
  if (!open_output_file(file, args.report, buffer)) {
    report(Severity::error, SourcePoint{args.report, 0, 0}, "cannot write the report");
    return false;
  }
  write_html_report(file.stream, ReportInput{args.data_file, basis, table, tally});
  if (!close_output_file(file)) {
    report(Severity::error, SourcePoint{args.report, 0, 0}, "cannot write the report");
    return false;
  }
  std::printf("Report written to [%s]\n", args.report);
  return true;
}

// The run's fixed-size state.
LoadFailures load_failures;
RuleSources sources;
CompiledLibrary library;
PreviewTally tally;

}  // namespace

int run_rulecheck(int argc, char** argv) {
  int status;
  if (ends_at_command_line(argc, argv, kProgram, 1, &status)) return status;
  Arguments args;
  if (!read_arguments(argc, argv, args)) {
    print_usage(kProgram);
    return 1;
  }
  // What the loader and the conversion would say on the console is reported here as
  // findings, on standard output.
  ConsoleSwitch quiet(nullptr);
  reset_findings();
  RuleTable& table = rule_table;
  const bool loaded = load_rules(table, LoadOptions{true, &sources}, load_failures);
  compile_library(table, library);
  check_library(CheckedLibrary{table, library, sources, load_failures});
  if (args.data_file && !loaded) {
    std::printf("Preview skipped: the rule library does not load, so modelconv would not run%s\n",
                args.report ? "; no report written" : "");
  } else if (args.data_file) {
    const bool report_wanted = args.report && report_is_distinct(args, table);
    char basis[32];
    if (run_preview(args.data_file, args.selection, table, library, report_wanted, tally, basis,
                    stdout) &&
        report_wanted)
      write_report(args, table, tally, basis);
  }
  write_finding_totals(stdout);
  if (error_count() > 0) status = 1;
  return status;
}
