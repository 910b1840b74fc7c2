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

// What --help tells besides the usage line.
constexpr const char* kPurpose =
    "modeltest writes a side-by-side test case of one generating unit of a dynamic data file:\n"
    "each of its records with its own values on an OLD bus and converted by the rule library\n"
    "of the working folder on a NEW bus, to simulate both.";
constexpr const char* kDetails =
    "  input-file     the dynamic data file\n"
    "  bus-number     the unit's bus\n"
    "  unit-id        the unit's ID (1 is the unit \"1 \"); CC takes every unit at the bus\n"
    "  testcase-file  the test case (written whole, or not at all)\n"
    "  log-file       the suspect values, one line each (also shown on the console)\n"
    "  changes-file   the suspect values with every output value of their record\n"
    "\n"
    "Reads:  rule.txt and lib/FROM-TO (the rule library, in the working folder), input-file.\n"
    "Writes: testcase-file, log-file, changes-file, and rulesused.txt in the working folder.\n"
    "        Messages go to standard error.\n"
    "Exit status: 0 after a clean run; 1 when the run stops on an error (a file that cannot\n"
    "be opened, a bus number that is no whole number, a library beyond its limits, an\n"
    "output that would overwrite an input, a write error).\n";

constexpr ProgramInfo kProgram{
    "modeltest",
    "Usage: modeltest input-file bus-number unit-id testcase-file log-file changes-file\n",
    kModeltestMissingRuleFile, kPurpose, kDetails};

constexpr const char* kPlayIn =
    "plnow 100 \"PLAYIN\" 13.8 \"1 \"  : #1 0.\n#\n"
    "gthev 100 \"PLAYIN\" 13.8 \"1 \"  : #0 mva=10000 0. 0.01 1 2 10 10\n#\n";

bool is_skipped(const char* text) {
  return text[0] == '#' || std::strncmp(text, "netting", 7) == 0 ||
         std::strncmp(text, "lodrep", 6) == 0 || std::strncmp(text, "models", 6) == 0 ||
         std::strncmp(text, "list", 4) == 0;
}

// The OLD copy as it stands, then the NEW copy, converted by RuleSet `rule` when the
// record has one (-1: none).
void write_copies(TestCaseRun& run, int rule, int line, const StepOutputs& outputs) {
  std::FILE* out = run.case_file.stream;
  CopyHeaders headers;
  make_copy_headers(run.header, run.unit, headers);
  make_copy(run.record.text, headers.old_header, headers.length, run.copy);
  std::fputs(run.copy, out);
  std::memcpy(run.copy, headers.new_header, static_cast<std::size_t>(headers.length));
  if (rule < 0) {
    std::fputs(run.copy, out);
    return;
  }
  // The NEW copy has the colon of its own header: it is always converted.
  convert_record_text(active_rule(run.start.library, run.start.rules, rule), run.copy, line,
                      run.record.parsed, outputs);
}

// The console line of a record of the unit.
void echo_unit_record(const RecordHeader& h, const Unit& unit) {
  char kv[kMaxFloatText + 16];  // without printf, so that every build writes the same bytes
  *put_fixed(kv, h.base_kv, 6, 2) = '\0';
  // "%-8.8s [%6d] [%-8.8s] %6.2f [%-2.2s] [%-2.2s]\n"
  console_printf("%-8.8s [%6d] [%-8.8s] %s [%-2.2s] [%-2.2s]\n", h.model, h.bus_number, h.bus_name,
                 kv, unit.id, h.unit_id);
}

void build_case(TestCaseRun& run, const StepOutputs& outputs) {
  LineInput& input = run.input;
  char* text = run.record.text;
  RecordHeader& h = run.header;
  Unit& unit = run.unit;
  input_start(input, run.start.data);
  for (;;) {
    if (read_piece(input, text, kPieceSize) == 0) break;
    const int line = input.line;
    if (is_skipped(text)) continue;
    if (join_continuations(input, text, nullptr) == JoinResult::too_long) {
      report_unconverted("record longer than %d characters, skipped", kRecordSize - 1, text);
      continue;
    }
    LineStart start;
    split_line_start(text, start);
    const int rule = match_rule_set(run.start.library.table, start.first);
    if (rule >= 0) ++run.start.rules.counts[rule].found;
    h.bus_number = -1;
    std::strcpy(h.unit_id, "1 ");
    if (parse_unit_header(text, h) < 0) {
      console_printf("Leading space - review this record\n%s", text);
      continue;
    }
    if (!belongs_to_unit(h, unit)) continue;
    ++run.unit_records;
    echo_unit_record(h, unit);
    std::strcpy(unit.kept_bus_name, h.bus_name);
    unit.kept_base_kv = h.base_kv;
    if (!unit.all_units) std::strcpy(h.unit_id, "1 ");
    write_copies(run, rule, line, outputs);
  }
}

void write_trailer(std::FILE* out, const Unit& unit) {
  char kv[kMaxFloatText + 16];  // "%6.2f"
  *put_fixed(kv, unit.kept_base_kv, 6, 2) = '\0';
  std::fprintf(out, "#\n#\n# Dynamics data check records for %6d %-8.8s %s \"%-2.2s\"\n", unit.bus,
               unit.kept_bus_name, kv, unit.id);
}

// A unit of which no record was found: the test case holds the play-in records only. The
// run still ends as a finished run (status 0), as callers expect of it.
void tell_no_unit(const Unit& unit) {
  if (unit.all_units) {
    console_printf(
        "No record at bus %d was found: the test case holds the play-in records only\n",
        unit.bus);
  } else {
    console_printf(
        "No record of unit \"%-2.2s\" at bus %d was found: the test case holds the play-in records only\n",
        unit.id, unit.bus);
  }
}

// Closes the files in their order; the exit status.
int finish(TestCaseRun& run) {
  std::fclose(run.start.data);
  const bool ok = close_output_file(run.case_file);
  const bool written = close_written_files(
      {{run.log, run.log_name}, {run.changes, run.changes_name}, {run.start.report, kRulesReportFile}});
  return written && ok ? 0 : 1;
}

}  // namespace

int run_modeltest(int argc, char** argv, TestCaseRun& run) {
  int status;
  if (ends_at_command_line(argc, argv, kProgram, 7, &status)) return status;
  run.unit = Unit{};
  if (!parse_unit_arguments(argv[2], argv[3], run.unit)) {
    print_usage(kProgram);
    return 1;
  }
  run.case_name = argv[4];
  run.log_name = argv[5];
  run.changes_name = argv[6];
  if (!start_run(kProgram, {run.case_name, run.log_name, run.changes_name, kRulesReportFile},
                 {argv[1]}, run.line, run.start))
    return 1;
  run.log = open_log_stream(run.log_name, "Working without log file\n", run.log_buffer);
  run.changes =
      open_log_stream(run.changes_name, "Working without changes file\n", run.changes_buffer);
  console_printf("[%6d]  [%-2.2s]\n", run.unit.bus, run.unit.id);
  if (!open_output_file(run.case_file, run.case_name, run.out_buffer)) {
    console_printf("Cannot open output file file\n");
    return 1;
  }
  std::FILE* out = run.case_file.stream;
  std::fputs(kPlayIn, out);
  console_printf("Beginning to read data records\n");
  run.unit_records = 0;
  build_case(
      run, StepOutputs{out, ConvertStreams{run.log, run.changes, true, BusNameForm::quoted}, true,
                       nullptr, RecordAt{}});
  write_trailer(out, run.unit);
  if (run.unit_records == 0) tell_no_unit(run.unit);
  write_rule_summary(run.start.library.table, run.start.rules, run.start.report);
  return finish(run);
}
