// The batch converter: converts every selected record of a dynamic data file.
#include "batch/batch_driver.h"

#include <cstdio>

#include "batch/bus_selection.h"
#include "convert/convert_record.h"
#include "io/files.h"
#include "io/line_reader.h"
#include "records/record_reader.h"
#include "records/record_writer.h"
#include "rules/rule_loader.h"
#include "rules/rule_table.h"
#include "rules/rules_report.h"
#include "text/scan.h"

namespace {

constexpr const char* kUsage =
    "Usage: modelconv input-file all|include|exclude output-file log-file changes-file\n";

DynamicRecord record;
RawLines raw;
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

// Writes a record that could not be converted exactly as it was read.
void copy_unconverted(std::FILE* out, const char* reason) {
  report_unconverted(reason, record.text);
  std::fwrite(raw.bytes, 1, raw.length, out);
}

void convert_lines(std::FILE* in, std::FILE* out, std::FILE* trace, const ConvertStreams& streams) {
  int line_count = 0;
  int bus_number = 0;
  for (;;) {
    const int length = read_piece(in, record.text, kPieceSize);
    if (length == 0) break;
    std::fprintf(trace, "%8d\n", ++line_count);
    std::fflush(trace);

    LineStart start;
    split_line_start(record.text, start);
    const int rule = match_rule_set(start.first);
    if (start.second) scan_int(start.second, &bus_number);
    if (rule < 0 || !bus_selected(selection, bus_number)) {
      std::fwrite(record.text, 1, static_cast<std::size_t>(length), out);
      continue;
    }

    raw_start(raw, record.text, length);
    if (join_continuations(in, record.text, &raw) == JoinResult::too_long) {
      copy_unconverted(out, "record longer than 1999 characters, copied unchanged");
      continue;
    }
    const bool crlf = ends_with_crlf(record.text);
    check_header_colons(record.text);
    const int colon = find_colon(record.text);
    if (colon < 0) {
      copy_unconverted(out, "no colon in the first 1900 characters, copied unchanged");
      continue;
    }
    if (colon > kMaxHeaderLength) {
      copy_unconverted(out, "header longer than 299 characters, copied unchanged");
      continue;
    }
    parse_parameters(record.text, colon, record.mva_text, record.values);
    RuleSet& r = current_rule_set();
    for (int i = 0; i < r.input_count; ++i) r.input_values[i] = record.values.values[i];
    const int header_end = convert_record(record.text, record.values, colon, streams).header_end;
    write_converted_record(out, r, record.text, header_end, record.mva_text, record.values, crlf);
  }
}

}  // namespace

int run_modelconv(int argc, char** argv) {
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

  std::FILE* out = std::fopen(output_name, "w");
  if (!out) {
    std::fprintf(stderr, "Unable to open outputfile\n");
    return 1;
  }
  if (selection.file && !read_bus_list(selection, selection_argument)) return 1;
  std::fprintf(stderr, "Read %5d bus numbers\n", selection.bus_count);

  std::FILE* log = open_log_stream(argv[4], "Working without log file\n");
  std::FILE* changes = open_log_stream(argv[5], "Working without  changes file\n");
  std::FILE* trace = std::fopen("rerr.txt", "w");
  if (!trace) {
    std::fprintf(stderr, "Could not open rerr.txt\n");
    trace = stderr;
  }

  convert_lines(in, out, trace, ConvertStreams{log, changes, false, BusNameForm::token});

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
