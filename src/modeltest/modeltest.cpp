// modeltest: writes an OLD/NEW side-by-side test case for one unit of a dynamic data file.
#include "modeltest/modeltest.h"

#include <cstdio>
#include <cstring>

#include "cli/command_line.h"
#include "convert/log_streams.h"
#include "convert/record_step.h"
#include "expr/compiled_library.h"
#include "io/console.h"
#include "io/files.h"
#include "io/line_reader.h"
#include "io/output_file.h"
#include "modeltest/unit_case.h"
#include "records/header_parse.h"
#include "records/record_reader.h"
#include "rules/rule_loader.h"
#include "rules/rule_table.h"
#include "rules/rules_report.h"
#include "text/format.h"

namespace {

constexpr ProgramInfo kProgram{
    "modeltest",
    "Usage: modeltest input-file bus-number unit-id testcase-file log-file changes-file\n",
    kModeltestMissingRuleFile};

constexpr const char* kPlayIn =
    "plnow 100 \"PLAYIN\" 13.8 \"1 \"  : #1 0.\n#\n"
    "gthev 100 \"PLAYIN\" 13.8 \"1 \"  : #0 mva=10000 0. 0.01 1 2 10 10\n#\n";

// The run's fixed-size state.
CompiledLibrary library;
DynamicRecord record;
// A copy's header may be longer than the record's own, so a copy may outgrow the record.
char copy[kRecordSize + kCaseHeaderSize];

bool is_skipped(const char* text) {
  return text[0] == '#' || std::strncmp(text, "netting", 7) == 0 ||
         std::strncmp(text, "lodrep", 6) == 0 || std::strncmp(text, "models", 6) == 0 ||
         std::strncmp(text, "list", 4) == 0;
}

// The OLD copy as it stands, then the NEW copy, converted when the record has a rule.
void write_copies(std::FILE* out, const RecordHeader& h, const Unit& unit, int line,
                  RuleTable& table, const StepOutputs& outputs) {
  CopyHeaders headers;
  make_copy_headers(h, unit, headers);
  make_copy(record.text, headers.old_header, headers.length, copy);
  std::fputs(copy, out);
  std::memcpy(copy, headers.new_header, static_cast<std::size_t>(headers.length));
  if (table.current_rule < 0) {
    std::fputs(copy, out);
    return;
  }
  // The NEW copy has the colon of its own header: it is always converted.
  convert_record_text(active_rule(table, library, table.current_rule), copy, line, record.parsed,
                      outputs);
}

// The console line of a record of the unit.
void echo_unit_record(const RecordHeader& h, const Unit& unit) {
  char kv[kMaxFloatText + 16];  // without printf, so that every build writes the same bytes
  *put_fixed(kv, h.base_kv, 6, 2) = '\0';
  // "%-8.8s [%6d] [%-8.8s] %6.2f [%-2.2s] [%-2.2s]\n"
  console_printf("%-8.8s [%6d] [%-8.8s] %s [%-2.2s] [%-2.2s]\n", h.model, h.bus_number, h.bus_name,
                 kv, unit.id, h.unit_id);
}

void build_case(std::FILE* file, std::FILE* out, Unit& unit, RuleTable& table,
                const StepOutputs& outputs) {
  static LineInput in;
  input_start(in, file);
  static RecordHeader h;  // bus name and base kV carry over when a record lacks them
  for (;;) {
    if (read_piece(in, record.text, kPieceSize) == 0) break;
    const int line = in.line;
    if (is_skipped(record.text)) continue;
    if (join_continuations(in, record.text, nullptr) == JoinResult::too_long) {
      report_unconverted("record longer than %d characters, skipped", kRecordSize - 1, record.text);
      continue;
    }
    LineStart start;
    split_line_start(record.text, start);
    table.current_rule = match_rule_set(table, start.first);
    h.bus_number = -1;
    std::strcpy(h.unit_id, "1 ");
    if (parse_unit_header(record.text, h) < 0) {
      console_printf("Leading space - review this record\n%s", record.text);
      continue;
    }
    if (!belongs_to_unit(h, unit)) continue;
    echo_unit_record(h, unit);
    std::strcpy(unit.kept_bus_name, h.bus_name);
    unit.kept_base_kv = h.base_kv;
    if (!unit.all_units) std::strcpy(h.unit_id, "1 ");
    write_copies(out, h, unit, line, table, outputs);
  }
}

void write_trailer(std::FILE* out, const Unit& unit) {
  char kv[kMaxFloatText + 16];  // "%6.2f"
  *put_fixed(kv, unit.kept_base_kv, 6, 2) = '\0';
  std::fprintf(out, "#\n#\n# Dynamics data check records for %6d %-8.8s %s \"%-2.2s\"\n", unit.bus,
               unit.kept_bus_name, kv, unit.id);
}

}  // namespace

int run_modeltest(int argc, char** argv) {
  int status;
  if (ends_at_command_line(argc, argv, kProgram, 7, &status)) return status;
  Unit unit{};
  if (!parse_unit_arguments(argv[2], argv[3], unit)) {
    print_usage(kProgram);
    return 1;
  }
  const char* case_name = argv[4];
  const char* log_name = argv[5];
  const char* changes_name = argv[6];
  RuleTable& table = rule_table;
  RunStart start;
  if (!start_run(kProgram, table, library, {case_name, log_name, changes_name, kRulesReportFile},
                 {argv[1]}, start))
    return 1;
  static char log_buffer[kWriteBufferSize];
  static char changes_buffer[kWriteBufferSize];
  std::FILE* log = open_log_stream(log_name, "Working without log file\n", log_buffer);
  std::FILE* changes =
      open_log_stream(changes_name, "Working without changes file\n", changes_buffer);
  console_printf("[%6d]  [%-2.2s]\n", unit.bus, unit.id);
  static char out_buffer[kWriteBufferSize];
  static OutputFile case_file;
  if (!open_output_file(case_file, case_name, out_buffer)) {
    console_printf("Cannot open output file file\n");
    return 1;
  }
  std::FILE* out = case_file.stream;
  std::fputs(kPlayIn, out);
  console_printf("Beginning to read data records\n");
  build_case(start.in, out, unit, table,
             StepOutputs{out, ConvertStreams{log, changes, true, BusNameForm::quoted}, true});
  write_trailer(out, unit);
  write_rule_summary(table, start.report);
  std::fclose(start.in);
  bool ok = close_output_file(case_file);
  ok = close_written_file(log, log_name) && ok;
  ok = close_written_file(changes, changes_name) && ok;
  ok = close_written_file(start.report, kRulesReportFile) && ok;
  return ok ? 0 : 1;
}
