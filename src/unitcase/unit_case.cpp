// The unit-case builder: a side-by-side OLD/NEW test case for one generating unit.
#include "unitcase/unit_case.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "convert/convert_record.h"
#include "io/console.h"
#include "io/files.h"
#include "io/line_reader.h"
#include "records/header_parse.h"
#include "records/record_reader.h"
#include "records/record_writer.h"
#include "rules/rule_loader.h"
#include "rules/rule_table.h"
#include "rules/rules_report.h"
#include "text/format.h"

namespace {

constexpr const char* kUsage =
    "Usage: modeltest input-file bus-number unit-id testcase-file log-file changes-file\n";

constexpr const char* kPlayIn =
    "plnow 100 \"PLAYIN\" 13.8 \"1 \"  : #1 0.\n#\n"
    "gthev 100 \"PLAYIN\" 13.8 \"1 \"  : #0 mva=10000 0. 0.01 1 2 10 10\n#\n";

// The two-unit governor of a "CC" case refers to the units "H " and "L " of the test bus.
constexpr const char* kOldTwoUnitHeader =
    "ieeeg1 1 \"OLD     \" 13.8 \"H \" 1 \"OLD     \" 13.8 \"L \" 1 :";
constexpr const char* kNewTwoUnitHeader =
    "ieeeg1 2 \"NEW     \" 13.8 \"H \" 2 \"NEW     \" 13.8 \"L \" 1 :";

DynamicRecord record;

struct Unit {
  int bus;
  char id[3];      // the first two characters of the argument ("1" reads "1 "; "" stays empty)
  bool all_units;  // "CC"
  char kept_bus_name[16];
  float kept_base_kv;
};

// A whole number: an optional sign and digits, within an int.
bool parse_bus_argument(const char* text, int* bus) {
  const char* digits = (*text == '-' || *text == '+') ? text + 1 : text;
  if (*digits == '\0') return false;
  for (const char* p = digits; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
  }
  errno = 0;
  long long value = std::strtoll(text, nullptr, 10);
  if (errno != 0 || value < INT_MIN || value > INT_MAX) return false;
  *bus = static_cast<int>(value);
  return true;
}

// No file the run reads may be overwritten, nor may two outputs be one file.
bool check_outputs(char** argv) {
  const char* written[] = {argv[4], argv[5], argv[6], "rulesused.txt"};
  const char* read[kMaxRuleSets + 2];
  int count = 0;
  read[count++] = argv[1];
  count += list_rule_library_files(read + count);
  return ::outputs_are_distinct(written, 4, read, count);
}

bool is_skipped(const char* text) {
  return text[0] == '#' || std::strncmp(text, "netting", 7) == 0 ||
         std::strncmp(text, "lodrep", 6) == 0 || std::strncmp(text, "models", 6) == 0 ||
         std::strncmp(text, "list", 4) == 0;
}

// A copy's header may be longer than the record's own, so a copy may outgrow the record.
char copy[kRecordSize + kCaseHeaderSize];

void write_copies(std::FILE* out, Unit& unit, RecordHeader& h, int rule,
                  const ConvertStreams& streams) {
  const bool crlf = ends_with_crlf(record.text);
  const bool two_unit = unit.all_units && std::strncmp(h.model, "ieeeg1", 6) == 0;
  char old_header[kCaseHeaderSize];
  char new_header[kCaseHeaderSize];
  if (two_unit) {
    std::strcpy(old_header, kOldTwoUnitHeader);
    std::strcpy(new_header, kNewTwoUnitHeader);
  } else {
    // The whole model name: a longer one makes the header longer.
    std::snprintf(old_header, sizeof old_header, "%-6s 1 \"OLD     \" 13.8 \"%-2s\" :", h.model,
                  h.unit_id);
    std::snprintf(new_header, sizeof new_header, "%-6s 2 \"NEW     \" 13.8 \"%-2s\" :", h.model,
                  h.unit_id);
  }
  const int header_length = static_cast<int>(std::strlen(old_header));

  make_copy(record.text, old_header, header_length, copy);
  std::fputs(copy, out);
  std::memcpy(copy, new_header, static_cast<std::size_t>(header_length));
  if (rule < 0) {
    std::fputs(copy, out);
    return;
  }

  check_header_colons(copy);
  const int colon = find_colon(copy);  // the new header's own colon
  parse_parameters(copy, colon, record.mva_text, record.values);
  std::fprintf(stderr, "  [%s]\n", copy);
  std::fflush(stderr);
  RuleSet& r = current_rule_set();
  for (int i = 0; i < r.input_count; ++i) r.input_values[i] = record.values.values[i];
  const int header_end = convert_record(copy, record.values, colon, streams).header_end;
  write_converted_record(out, r, copy, header_end, record.mva_text, record.values, crlf);
}

void build_case(std::FILE* file, std::FILE* out, Unit& unit, const ConvertStreams& streams) {
  static LineInput in;
  input_start(in, file);
  static RecordHeader h;  // bus name and base kV carry over when a record lacks them
  for (;;) {
    if (read_piece(in, record.text, kPieceSize) == 0) break;
    if (is_skipped(record.text)) continue;
    if (join_continuations(in, record.text, nullptr) == JoinResult::too_long) {
      report_unconverted("record longer than 1999 characters, skipped", record.text);
      continue;
    }
    LineStart start;
    split_line_start(record.text, start);
    const int rule = match_rule_set(start.first);

    h.bus_number = -1;
    std::strcpy(h.unit_id, "1 ");
    if (parse_unit_header(record.text, h) < 0) {
      std::fprintf(stderr, "Leading space - review this record\n%s", record.text);
      continue;
    }
    const bool same_id = h.unit_id[0] == unit.id[0] && h.unit_id[1] == unit.id[1];
    if (h.bus_number != unit.bus || !(same_id || unit.all_units)) continue;

    char kv[kMaxFloatText + 16];  // without printf, so that every build writes the same bytes
    *put_fixed(kv, h.base_kv, 6, 2) = '\0';
    // "%-8.8s [%6d] [%-8.8s] %6.2f [%-2.2s] [%-2.2s]\n"
    std::fprintf(stderr, "%-8.8s [%6d] [%-8.8s] %s [%-2.2s] [%-2.2s]\n", h.model, h.bus_number,
                 h.bus_name, kv, unit.id, h.unit_id);
    std::strcpy(unit.kept_bus_name, h.bus_name);
    unit.kept_base_kv = h.base_kv;
    if (!unit.all_units) std::strcpy(h.unit_id, "1 ");
    write_copies(out, unit, h, rule, streams);
  }
}

}  // namespace

void make_copy(const char* text, const char* header, int header_length, char* copy) {
  // The record's own colon; one among the first 15 characters is a typing error.
  const int colon = find_colon(text, kHeaderCheckLength);
  if (colon > 0 && colon - 1 <= header_length) {
    std::memcpy(copy, header, static_cast<std::size_t>(header_length));
    std::strcpy(copy + header_length, text + colon);
    return;
  }
  std::strcpy(copy, text);
  replace_header(copy, header, header_length);
}

void replace_header(char* text, const char* header, int header_length) {
  const int length = static_cast<int>(std::strlen(text));
  int content_end = length;
  if (content_end > 0 && text[content_end - 1] == '\n') {
    --content_end;
    if (content_end > 0 && text[content_end - 1] == '\r') --content_end;
  }
  if (content_end <= header_length) {
    char line_end[3];
    std::strcpy(line_end, text + content_end);
    std::memcpy(text, header, static_cast<std::size_t>(header_length));
    std::strcpy(text + header_length, line_end);
    return;
  }
  std::memcpy(text, header, static_cast<std::size_t>(header_length));
  text[header_length] = ' ';
  for (int i = header_length + 1; i < content_end && i <= 99; ++i) {
    if (text[i] == '#') break;
    const bool colon = text[i] == ':';
    text[i] = ' ';
    if (colon) break;
  }
}

int run_modeltest(int argc, char** argv) {
  use_binary_console();
  int status = 0;
  if (handle_info_option(argc, argv, kUsage, "modeltest", &status)) return status;
  Unit unit{};
  if (argc < 7 || !parse_bus_argument(argv[2], &unit.bus)) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  // A one-character ID is that character and a blank, as the records write "1" for "1 ".
  unit.id[0] = argv[3][0];
  unit.id[1] = argv[3][0] == '\0' ? '\0' : argv[3][1] == '\0' ? ' ' : argv[3][1];
  unit.id[2] = '\0';
  unit.all_units = std::strcmp(unit.id, "CC") == 0;

  if (!load_rules(kModeltestMissingRuleFile)) return 1;
  if (!check_outputs(argv)) return 1;
  std::FILE* report = write_rules_report();

  std::FILE* in = open_for_reading(argv[1]);
  if (!in) {
    std::fprintf(stderr, "Unable to open input file\n");
    return 1;
  }
  static char log_buffer[kWriteBufferSize];
  static char changes_buffer[kWriteBufferSize];
  std::FILE* log = open_log_stream(argv[5], "Working without log file\n", log_buffer);
  std::FILE* changes = open_log_stream(argv[6], "Working without changes file\n", changes_buffer);
  std::fprintf(stderr, "[%6d]  [%-2.2s]\n", unit.bus, unit.id);
  static char out_buffer[kWriteBufferSize];
  std::FILE* out = open_for_writing(argv[4], out_buffer);
  if (!out) {
    std::fprintf(stderr, "Cannot open output file file\n");
    return 1;
  }
  std::fputs(kPlayIn, out);
  std::fprintf(stderr, "Beginning to read data records\n");

  build_case(in, out, unit, ConvertStreams{log, changes, true, BusNameForm::quoted});

  char kv[kMaxFloatText + 16];  // "%6.2f"
  *put_fixed(kv, unit.kept_base_kv, 6, 2) = '\0';
  std::fprintf(out, "#\n#\n# Dynamics data check records for %6d %-8.8s %s \"%-2.2s\"\n", unit.bus,
               unit.kept_bus_name, kv, unit.id);
  write_rule_summary(report);
  std::fclose(in);
  bool ok = close_written_file(out, argv[4]);
  ok = close_written_file(log, argv[5]) && ok;
  ok = close_written_file(changes, argv[6]) && ok;
  ok = close_written_file(report, "rulesused.txt") && ok;
  return ok ? 0 : 1;
}
