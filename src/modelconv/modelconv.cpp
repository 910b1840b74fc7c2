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
#include "io/output_file.h"
#include "rules/rule_loader.h"
#include "rules/rule_table.h"
#include "rules/rules_report.h"

namespace {

constexpr ProgramInfo kProgram{
    "modelconv",
    "Usage: modelconv input-file all|include|exclude output-file log-file changes-file\n",
    kModelconvMissingRuleFile};
constexpr const char* kTraceFile = "rerr.txt";

struct Arguments {
  const char* input;
  const char* selection;  // "all", or the bus selection file "include" or "exclude"
  const char* output;
  const char* log;
  const char* changes;
};

// The bus selection of the command line, with the confirmation that "all" asks for.
// False when the run ends here.
bool choose_buses(const char* argument, BusSelection& selection) {
  switch (classify_selection(argument, selection)) {
    case SelectionArgument::all:
      console_printf("Type c to continue, a to abort : ");
      return std::getchar() == 'c';
    case SelectionArgument::refused:
      console_printf("Unable to open bus selection file\n");
      return false;
    case SelectionArgument::file_opened:
      return true;
  }
  return false;
}

// The streams of the conversion, opened in their order once the output is open.
LoopOutputs open_log_and_trace(std::FILE* out, const Arguments& args) {
  static char log_buffer[kWriteBufferSize];
  static char changes_buffer[kWriteBufferSize];
  std::FILE* log = open_log_stream(args.log, "Working without log file\n", log_buffer);
  std::FILE* changes =
      open_log_stream(args.changes, "Working without  changes file\n", changes_buffer);
  std::FILE* trace = open_for_writing(kTraceFile);
  if (!trace) {
    console_printf("Could not open rerr.txt\n");
    trace = stderr;
  }
  return LoopOutputs{out, trace, ConvertStreams{log, changes, false, BusNameForm::token}};
}

// Closes the files in their order; the exit status.
int finish(const RunStart& start, OutputFile& out, const LoopOutputs& outputs,
           const BusSelection& selection, const Arguments& args) {
  std::fclose(start.in);
  bool ok = close_output_file(out);
  ok = close_written_file(outputs.streams.log, args.log) && ok;
  if (selection.file) std::fclose(selection.file);
  ok = close_written_file(outputs.streams.changes, args.changes) && ok;
  ok = close_written_file(outputs.trace, kTraceFile) && ok;
  ok = close_written_file(start.report, kRulesReportFile) && ok;
  return ok ? 0 : 1;
}

}  // namespace

int run_modelconv(int argc, char** argv) {
  int status;
  if (ends_at_command_line(argc, argv, kProgram, 6, &status)) return status;
  const Arguments args{argv[1], argv[2], argv[3], argv[4], argv[5]};
  static CompiledLibrary library;
  static BusSelection selection;
  RuleTable& table = rule_table;
  RunStart start;
  const char* list = names_selection_file(args.selection) ? args.selection : nullptr;
  if (!start_run(kProgram, table, library,
                 {args.output, args.log, args.changes, kRulesReportFile, kTraceFile},
                 {args.input, list}, start))
    return 1;
  if (!choose_buses(args.selection, selection)) return 1;
  console_printf("Selection basis is [%s]\n", selection.basis);
  static char out_buffer[kWriteBufferSize];
  static OutputFile out;
  if (!open_output_file(out, args.output, out_buffer)) {
    console_printf("Unable to open outputfile\n");
    return 1;
  }
  if (selection.file && !read_bus_list(selection, args.selection)) {
    discard_output_file(out);
    return 1;
  }
  console_printf("Read %5d bus numbers\n", selection.bus_count);
  const LoopOutputs outputs = open_log_and_trace(out.stream, args);
  convert_data_file(start.in, table, library, selection, outputs, nullptr);
  write_rule_summary(table, start.report);
  return finish(start, out, outputs, selection, args);
}
