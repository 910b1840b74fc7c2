// The batch converter: converts every selected record of a dynamic data file.
#include "batch/batch_driver.h"

#include <cstdio>

#include "batch/bus_selection.h"
#include "batch/convert_file.h"
#include "convert/convert_record.h"
#include "io/console.h"
#include "io/files.h"
#include "rules/rule_loader.h"
#include "rules/rule_table.h"
#include "rules/rules_report.h"

namespace {

constexpr const char* kUsage =
    "Usage: modelconv input-file all|include|exclude output-file log-file changes-file\n";

BusSelection selection;

// No file the run reads may be overwritten, nor may two outputs be one file.
bool check_outputs(char** argv) {
  const char* written[] = {argv[3], argv[4], argv[5], "rulesused.txt", "rerr.txt"};
  const char* read[kMaxRuleSets + 3];
  int count = 0;
  read[count++] = argv[1];
  count += list_rule_library_files(read + count);
  if (names_selection_file(argv[2])) read[count++] = argv[2];
  return ::outputs_are_distinct(written, 5, read, count);
}

}  // namespace

int run_modelconv(int argc, char** argv) {
  use_binary_console();
  int status = 0;
  if (handle_info_option(argc, argv, kUsage, "modelconv", &status)) return status;
  if (argc < 6) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  const char* input_name = argv[1];
  const char* selection_argument = argv[2];
  const char* output_name = argv[3];

  if (!load_rules(kModelconvMissingRuleFile)) return 1;
  if (!check_outputs(argv)) return 1;
  std::FILE* report = write_rules_report();

  std::FILE* in = open_for_reading(input_name);
  if (!in) {
    std::fprintf(stderr, "Unable to open input file\n");
    return 1;
  }
  switch (classify_selection(selection_argument, selection)) {
    case SelectionArgument::all:
      std::fprintf(stderr, "Type c to continue, a to abort : ");
      if (std::getchar() != 'c') return 1;
      break;
    case SelectionArgument::refused:
      std::fprintf(stderr, "Unable to open bus selection file\n");
      return 1;
    case SelectionArgument::file_opened:
      break;
  }
  std::fprintf(stderr, "Selection basis is [%s]\n", selection.basis);

  static char out_buffer[kWriteBufferSize];
  std::FILE* out = open_for_writing(output_name, out_buffer);
  if (!out) {
    std::fprintf(stderr, "Unable to open outputfile\n");
    return 1;
  }
  if (selection.file && !read_bus_list(selection, selection_argument)) return 1;
  std::fprintf(stderr, "Read %5d bus numbers\n", selection.bus_count);

  static char log_buffer[kWriteBufferSize];
  static char changes_buffer[kWriteBufferSize];
  std::FILE* log = open_log_stream(argv[4], "Working without log file\n", log_buffer);
  std::FILE* changes = open_log_stream(argv[5], "Working without  changes file\n", changes_buffer);
  std::FILE* trace = open_for_writing("rerr.txt");
  if (!trace) {
    std::fprintf(stderr, "Could not open rerr.txt\n");
    trace = stderr;
  }

  convert_file(in, selection,
               BatchOutputs{out, trace, ConvertStreams{log, changes, false, BusNameForm::token}},
               nullptr);

  write_rule_summary(report);
  std::fclose(in);
  bool ok = close_written_file(out, output_name);
  ok = close_written_file(log, argv[4]) && ok;
  if (selection.file) std::fclose(selection.file);
  ok = close_written_file(changes, argv[5]) && ok;
  ok = close_written_file(trace, "rerr.txt") && ok;
  ok = close_written_file(report, "rulesused.txt") && ok;
  return ok ? 0 : 1;
}
