// modelconv: converts every selected record of a dynamic data file by the rule library.
#include "modelconv/modelconv.h"

#include <cstdio>

#include "convert/log_streams.h"
#include "io/console.h"
#include "rules/rule_loader.h"
#include "rules/rules_report.h"

namespace {

// What --help tells besides the usage line.
constexpr const char* kPurpose =
    "modelconv converts every record of a dynamic data file whose model has a rule, from its\n"
    "model to the rule's new model, by the rule library of the working folder, and copies\n"
    "every other line unchanged.";
constexpr const char* kDetails =
    "  input-file     the dynamic data file to convert\n"
    "  all            convert every bus (after you answer c to \"Type c to continue\")\n"
    "  include        a bus selection file: convert only the buses it lists\n"
    "  exclude        a bus selection file: convert every bus but those it lists\n"
    "  output-file    the converted data file (written whole, or not at all)\n"
    "  log-file       the suspect values, one line each\n"
    "  changes-file   the suspect values with every output value of their record\n"
    "\n"
    "Reads:  rule.txt and lib/FROM-TO (the rule library, in the working folder), input-file\n"
    "        and the bus selection file.\n"
    "Writes: output-file, log-file, changes-file, and in the working folder rulesused.txt\n"
    "        (the rules and their counts) and rerr.txt (the number of every line read).\n"
    "        Messages go to standard error.\n"
    "Exit status: 0 after a clean run; 1 when the run stops on an error (a file that cannot\n"
    "be opened, a bad argument, a refused confirmation, a library beyond its limits, an\n"
    "output that would overwrite an input, a write error).\n";

constexpr ProgramInfo kProgram{
    "modelconv",
    "Usage: modelconv input-file all|include|exclude output-file log-file changes-file\n",
    kModelconvMissingRuleFile, kPurpose, kDetails};
constexpr const char* kTraceFile = "rerr.txt";

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
void open_log_and_trace(ConversionRun& run) {
  std::FILE* log = open_log_stream(run.log_name, "Working without log file\n", run.log_buffer);
  std::FILE* changes =
      open_log_stream(run.changes_name, "Working without  changes file\n", run.changes_buffer);
  std::FILE* trace = open_for_writing(kTraceFile);
  if (!trace) {
    console_printf("Could not open rerr.txt\n");
    trace = stderr;
  }
  run.outputs = LoopOutputs{run.out.stream, trace,
                            ConvertStreams{log, changes, false, BusNameForm::token}, nullptr,
                            nullptr};
}

// Closes the files in their order; the exit status.
int finish(ConversionRun& run) {
  std::fclose(run.start.data);
  bool ok = close_output_file(run.out);
  if (run.selection.file) std::fclose(run.selection.file);
  const bool written = close_written_files({{run.outputs.streams.log, run.log_name},
                                            {run.outputs.streams.changes, run.changes_name},
                                            {run.outputs.trace, kTraceFile},
                                            {run.start.report, kRulesReportFile}});
  return written && ok ? 0 : 1;
}

}  // namespace

int run_modelconv(int argc, char** argv, ConversionRun& run) {
  int status;
  if (ends_at_command_line(argc, argv, kProgram, 6, &status)) return status;
  run.input = argv[1];
  run.selection_argument = argv[2];
  run.output_name = argv[3];
  run.log_name = argv[4];
  run.changes_name = argv[5];
  const char* list =
      names_selection_file(run.selection_argument) ? run.selection_argument : nullptr;
  if (!start_run(kProgram,
                 {run.output_name, run.log_name, run.changes_name, kRulesReportFile, kTraceFile},
                 {run.input, list}, run.line, run.start))
    return 1;
  if (!choose_buses(run.selection_argument, run.selection)) return 1;
  console_printf("Selection basis is [%s]\n", basis_name(run.selection.basis));
  if (!open_output_file(run.out, run.output_name, run.out_buffer)) {
    console_printf("Unable to open outputfile\n");
    return 1;
  }
  if (run.selection.file && !read_bus_list(run.selection, run.selection_argument, run.line)) {
    discard_output_file(run.out);
    return 1;
  }
  console_printf("Read %5d bus numbers\n", run.selection.bus_count);
  open_log_and_trace(run);
  convert_data_file(run.start.data, run.start.library, run.start.rules, run.selection, run.outputs,
                    run.loop);
  write_rule_summary(run.start.library.table, run.start.rules, run.start.report);
  return finish(run);
}
