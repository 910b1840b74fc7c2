// Fuzz target: reading, parsing and converting one record, both programs' ways.
// The first line is the record; the rest of the input is the file it continues in.
#include <cstdint>
#include <cstring>

#include "convert/convert_record.h"
#include "fuzz_support.h"
#include "records/header_parse.h"
#include "records/record_reader.h"
#include "records/record_writer.h"
#include "rules/rule_loader.h"
#include "rules/rule_table.h"
#include "unitcase/unit_case.h"

namespace {
DynamicRecord record;
char copy[kRecordSize + kCaseHeaderSize];
RawLines raw;
std::FILE* sink;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::enter_work_folder();
  if (!load_rules(kModelconvMissingRuleFile)) std::abort();
  sink = std::fopen("/dev/null", "w");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  size_t line = 0;
  while (line < size && line < kPieceSize - 1 && bytes[line++] != '\n') {
  }
  std::memcpy(record.text, bytes, line);
  record.text[line] = '\0';
  std::FILE* rest = size > line ? fmemopen(const_cast<char*>(bytes + line), size - line, "r")
                                : std::fopen("/dev/null", "r");

  LineStart start;
  split_line_start(record.text, start);
  int rule = match_rule_set(start.first);
  RecordHeader unit{};
  parse_unit_header(record.text, unit);

  raw_start(raw, record.text, static_cast<int>(line));
  const bool batch = size > 0 && (data[0] & 1);
  static LineInput rest_input;
  input_start(rest_input, rest);
  if (join_continuations(rest_input, record.text, batch ? &raw : nullptr) == JoinResult::joined) {
    char* text = record.text;
    if (!batch) {
      make_copy(record.text, "gen    2 \"NEW     \" 13.8 \"1 \" :", 31, copy);
      text = copy;
    }
    check_header_colons(text);
    const int colon = find_colon(text);
    if (colon > 0 && colon <= kMaxHeaderLength) {
      const bool crlf = ends_with_crlf(text);
      parse_parameters(text, colon, record.mva_text, record.values);
      rule_table.current_rule = rule >= 0 ? rule : 0;
      RuleSet& r = current_rule_set();
      for (int i = 0; i < r.input_count; ++i) r.input_values[i] = record.values.values[i];
      const int header_end =
          convert_record(
              text, record.values, colon,
              ConvertStreams{sink, sink, false, batch ? BusNameForm::token : BusNameForm::quoted})
              .header_end;
      write_converted_record(sink, r, text, header_end, record.mva_text, record.values, crlf);
    }
  }
  std::fclose(rest);
  return 0;
}
