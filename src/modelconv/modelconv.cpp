// modelconv: converts every selected record of a dynamic data file by the rule library.
#include "modelconv/modelconv.h"

#include <cstdio>

#include "cli/command_line.h"
#include "convert/bus_selection.h"
#include "convert/log_streams.h"
#include "convert/reading_loop.h"
#include "expr/compiled_library.h"
#include "io/console.h"
#include "io/files.h"
#include "rules/rule_loader.h"
#include "rules/rule_table.h"
#include "rules/rules_report.h"

namespace {

constexpr ProgramInfo kProgram{
    "modelconv",
    "Usage: modelconv input-file all|include|exclude output-file log-file changes-file\n"};
constexpr const char* kTraceFile = "rerr.txt";

// The run's fixed-size state.
BusSelection selection;
CompiledLibrary library;
LoadFailures load_failures;

}  // namespace

int run_modelconv(int argc, char** argv) {
  use_binary_console();
  int status = 0;
  if (handle_info_option(argc, argv, kProgram, &status)) return status;
  if (argc < 6) {
    print_usage(kProgram);
    return 1;
  }
  const char* input_name = argv[1];
  const char* selection_argument = argv[2];
  const char* output_name = argv[3];
  const char* log_name = argv[4];
  const char* changes_name = argv[5];
  RuleTable& table = rule_table;
  if (!load_rules(table, LoadOptions{false, nullptr}, load_failures)) {
    report_load_failure(load_failures.items[0], kModelconvMissingRuleFile);
    return 1;
  }
  compile_library(table, library);
  if (!run_files_are_distinct(
          table, {output_name, log_name, changes_name, kRulesReportFile, kTraceFile},
          {input_name, names_selection_file(selection_argument) ? selection_argument : nullptr}))
    return 1;
  std::FILE* report = write_rules_report(table);
  std::FILE* in = open_for_reading(input_name);
  if (!in) {
    console_printf("Unable to open input file\n");
    return 1;
  }
  switch (classify_selection(selection_argument, selection)) {
    case SelectionArgument::all:
      console_printf("Type c to continue, a to abort : ");
      if (std::getchar() != 'c') return 1;
      break;
    case SelectionArgument::refused:
      console_printf("Unable to open bus selection file\n");
      return 1;
    case SelectionArgument::file_opened:
      break;
  }
  console_printf("Selection basis is [%s]\n", selection.basis);
  static char out_buffer[kWriteBufferSize];
  std::FILE* out = open_for_writing(output_name, out_buffer);
  if (!out) {
    console_printf("Unable to open outputfile\n");
    return 1;
  }
  if (selection.file && !read_bus_list(selection, selection_argument)) return 1;
  console_printf("Read %5d bus numbers\n", selection.bus_count);
  static char log_buffer[kWriteBufferSize];
  static char changes_buffer[kWriteBufferSize];
  std::FILE* log = open_log_stream(log_name, "Working without log file\n", log_buffer);
  std::FILE* changes =
      open_log_stream(changes_name, "Working without  changes file\n", changes_buffer);
  std::FILE* trace = open_for_writing(kTraceFile);
  if (!trace) {
    console_printf("Could not open rerr.txt\n");
    trace = stderr;
  }
  convert_data_file(in, table, library, selection,
                    LoopOutputs{out, trace, ConvertStreams{log, changes, false, BusNameForm::token}},
                    nullptr);
  write_rule_summary(table, report);
  std::fclose(in);
  bool ok = close_written_file(out, output_name);
  ok = close_written_file(log, log_name) && ok;
  if (selection.file) std::fclose(selection.file);
  ok = close_written_file(changes, changes_name) && ok;
  ok = close_written_file(trace, kTraceFile) && ok;
  ok = close_written_file(report, kRulesReportFile) && ok;
  return ok ? 0 : 1;
}
