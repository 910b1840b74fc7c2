// modelconv's reading loop over a dynamic data file: every line copied or, when its
// model has a rule and its bus is selected, converted. The preview of rulecheck runs
// the same loop with every output switched off and an observer to count.
#include "convert/reading_loop.h"

#include <cstdio>
#include <cstring>

#include "convert/record_step.h"
#include "io/console.h"
#include "io/line_reader.h"
#include "records/record_reader.h"
#include "text/format.h"
#include "text/scan.h"

namespace {

DynamicRecord record;
RawLines raw;

void write(std::FILE* f, const char* bytes, std::size_t n) {
  if (f) std::fwrite(bytes, 1, n, f);
}

// "%8d\n", flushed before anything else is done with the line.
void trace_line(std::FILE* trace, int line_count) {
  char number[16];
  char* end = put_int(number, line_count, 8);
  *end++ = '\n';
  std::fwrite(number, 1, static_cast<std::size_t>(end - number), trace);
  std::fflush(trace);
}

// Writes a record that could not be converted exactly as it was read, with the reason.
void copy_unconverted(std::FILE* out, const char* reason_format, int limit) {
  report_unconverted(reason_format, limit, record.text);
  write(out, raw.bytes, raw.length);
}

// A line that begins with a blank or a tab and holds more than blanks, tabs and its
// line end: in this format it is not part of the record before it, which a "/" would
// have continued.
bool is_blank_led(const char* text) {
  if (text[0] != ' ' && text[0] != '\t') return false;
  return text[std::strspn(text, " \t\r\n")] != '\0';
}

// Lines copied unchanged that begin with a blank right after a converted record, or
// after another such line, are told; any other line ends the run.
struct BlankLedRun {
  int rule = -1;  // of the record converted last, while the run lasts

  void copied(bool begins_line, bool blank_led, int line, LoopObserver* observer) {
    if (!begins_line) return;  // the rest of a long line
    if (rule < 0 || !blank_led) {
      rule = -1;
      return;
    }
    // clang-format off
    // "Line %d begins with a blank after a converted record: it is copied unchanged, not read into that record\n"
    // clang-format on
    console_printf(
        "Line %d begins with a blank after a converted record: it is copied unchanged, not "
        "read into that record\n",
        line);
    if (observer) observer->blank_led_line(rule, line);
  }
};

}  // namespace

int convert_data_file(std::FILE* file, RuleTable& table, const CompiledLibrary& library,
                      const BusSelection& selection, const LoopOutputs& outputs,
                      LoopObserver* observer) {
  static LineInput in;
  input_start(in, file);
  const StepOutputs step_outputs{outputs.out, outputs.streams, false};
  int line_count = 0;
  int bus_number = 0;
  BlankLedRun run;
  for (;;) {
    const int length = read_piece(in, record.text, kPieceSize);
    if (length == 0) break;
    const int line = in.line;
    const bool begins_line = in.piece_begins_line;
    const bool blank_led = is_blank_led(record.text);
    ++line_count;
    if (outputs.trace) trace_line(outputs.trace, line_count);
    LineStart start;
    split_line_start(record.text, start);
    table.current_rule = match_rule_set(table, start.first);
    if (start.second) scan_int(start.second, &bus_number);
    const int rule = table.current_rule;
    if (rule < 0 && observer && start.first && is_letter(record.text[0]) &&
        find_colon(record.text) > 0)
      observer->model_without_rule(start.first);
    if (rule < 0 || !bus_selected(selection, bus_number)) {
      write(outputs.out, record.text, static_cast<std::size_t>(length));
      run.copied(begins_line, blank_led, line, observer);
      continue;
    }
    raw_start(raw, record.text, length);
    if (join_continuations(in, record.text, &raw) == JoinResult::too_long) {
      copy_unconverted(outputs.out, "record longer than %d characters, copied unchanged",
                       kRecordSize - 1);
      run.copied(begins_line, blank_led, line, observer);
      continue;
    }
    const StepResult step = convert_record_text(active_rule(table, library, rule), record.text,
                                                line, record.parsed, step_outputs);
    switch (step.outcome) {
      case StepOutcome::no_colon:
        copy_unconverted(outputs.out, "no colon in the first %d characters, copied unchanged",
                         kColonSearch);
        run.copied(begins_line, blank_led, line, observer);
        break;
      case StepOutcome::header_too_long:
        copy_unconverted(outputs.out, "header longer than %d characters, copied unchanged",
                         kMaxHeaderLength);
        run.copied(begins_line, blank_led, line, observer);
        break;
      case StepOutcome::converted:
      case StepOutcome::failed:
        run.rule = rule;
        if (observer)
          observer->record_converted(
              ConvertedRecord{rule, line, bus_number, record.text, record.parsed, step.conversion});
        break;
    }
  }
  return in.line;
}
