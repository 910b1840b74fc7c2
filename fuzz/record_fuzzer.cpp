// Fuzz target: reading, parsing and converting one record, both programs' ways.
// The first line is the record; the rest of the input is the file it continues in.
#include <cstdint>
#include <cstring>

#include "convert/record_step.h"
#include "fuzz_support.h"
#include "io/console.h"
#include "modeltest/unit_case.h"
#include "records/header_parse.h"
#include "records/record_reader.h"
#include "rules/rule_table.h"

namespace {
DynamicRecord record;
char copy[kRecordSize + kCaseHeaderSize];
RawLines raw;
std::FILE* sink;
fuzz_support::LoadedRules* rules;
LineInput rest_input;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::enter_work_folder();
  rules = &fuzz_support::load_library();
  sink = std::fopen("/dev/null", "w");
  set_console(sink);
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
  const int rule = match_rule_set(rules->library.table, start.first);
  RecordHeader unit{};
  parse_unit_header(record.text, unit);
  raw_start(raw, record.text, static_cast<int>(line));
  const bool batch = size > 0 && (data[0] & 1);
  input_start(rest_input, rest);
  if (join_continuations(rest_input, record.text, batch ? &raw : nullptr) == JoinResult::joined) {
    char* text = record.text;
    if (!batch) {
      make_copy(record.text, "gen    2 \"NEW     \" 13.8 \"1 \" :", 31, copy);
      text = copy;
    }
    const StepOutputs outputs{
        sink, ConvertStreams{sink, sink, !batch, batch ? BusNameForm::token : BusNameForm::quoted},
        !batch, nullptr, RecordAt{}};
    convert_record_text(active_rule(rules->library, rules->state, rule >= 0 ? rule : 0), text, 1,
                        record.parsed, outputs);
  }
  std::fclose(rest);
  return 0;
}
