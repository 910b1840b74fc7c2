// modelconv's reading loop over a dynamic data file: every line copied or, when its
// model has a rule and its bus is selected, converted. The preview of rulecheck runs
// the same loop with every output switched off and an observer to count.
#include "convert/reading_loop.h"

#include <cstdio>
#include <cstring>

#include "convert/record_step.h"
#include "io/console.h"
#include "text/format.h"
#include "text/scan.h"

namespace {

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

// The line in hand: where it stands and what its start says.
struct LineInHand {
  int line;
  bool begins_line;
  bool blank_led;
  int rule;  // the RuleSet its model matched, -1 for none
};

// One pass of the loop: what it reads with, what it writes, what it changes.
struct Pass {
  const RuleLibrary& library;
  RuleState& state;
  const BusSelection& selection;
  const LoopOutputs& outputs;
  LoopBuffers& buffers;
  BlankLedRun blank_led;
  int bus_number = 0;  // carries over to a line that gives none
};

// Writes a record that could not be converted exactly as it was read, with the reason.
void copy_unconverted(Pass& pass, const LineInHand& hand, const char* reason_format, int limit) {
  report_unconverted(reason_format, limit, pass.buffers.record.text);
  write(pass.outputs.out, pass.buffers.raw.bytes, pass.buffers.raw.length);
  pass.blank_led.copied(hand.begins_line, hand.blank_led, hand.line, pass.outputs.observer);
}

// The record of the line in hand, selected for conversion: joined, converted and written,
// or copied as it was read when it cannot be.
void convert_selected(Pass& pass, const LineInHand& hand, int length) {
  LoopBuffers& b = pass.buffers;
  raw_start(b.raw, b.record.text, length);
  if (join_continuations(b.input, b.record.text, &b.raw) == JoinResult::too_long) {
    copy_unconverted(pass, hand, "record longer than %d characters, copied unchanged",
                     kRecordSize - 1);
    return;
  }
  const StepOutputs step_outputs{pass.outputs.out, pass.outputs.streams, false, pass.outputs.tuner,
                                 RecordAt{hand.rule, hand.line, pass.bus_number}};
  const StepResult step =
      convert_record_text(active_rule(pass.library, pass.state, hand.rule), b.record.text,
                          hand.line, b.record.parsed, step_outputs);
  switch (step.outcome) {
    case StepOutcome::no_colon:
      copy_unconverted(pass, hand, "no colon in the first %d characters, copied unchanged",
                       kColonSearch);
      break;
    case StepOutcome::header_too_long:
      copy_unconverted(pass, hand, "header longer than %d characters, copied unchanged",
                       kMaxHeaderLength);
      break;
    case StepOutcome::converted:
    case StepOutcome::failed:
      pass.blank_led.rule = hand.rule;
      if (LoopObserver* observer = pass.outputs.observer)
        observer->record_converted(ConvertedRecord{hand.rule, hand.line, pass.bus_number,
                                                   b.record.text, b.record.parsed,
                                                   step.conversion});
      break;
  }
}

}  // namespace

int convert_data_file(std::FILE* file, const RuleLibrary& library, RuleState& state,
                      const BusSelection& selection, const LoopOutputs& outputs,
                      LoopBuffers& buffers) {
  LineInput& input = buffers.input;
  char* text = buffers.record.text;
  input_start(input, file);
  Pass pass{library, state, selection, outputs, buffers, BlankLedRun{}};
  int line_count = 0;
  for (;;) {
    const int length = read_piece(input, text, kPieceSize);
    if (length == 0) break;
    LineInHand hand{input.line, input.piece_begins_line, is_blank_led(text), -1};
    ++line_count;
    if (outputs.trace) trace_line(outputs.trace, line_count);
    LineStart start;
    split_line_start(text, start);
    hand.rule = match_rule_set(library.table, start.first);
    if (hand.rule >= 0) ++state.counts[hand.rule].found;
    if (start.second) scan_int(start.second, &pass.bus_number);
    if (hand.rule < 0 && outputs.observer && start.first && is_letter(text[0]) &&
        find_colon(text) > 0)
      outputs.observer->model_without_rule(start.first);
    if (hand.rule < 0 || !bus_selected(selection, pass.bus_number)) {
      write(outputs.out, text, static_cast<std::size_t>(length));
      pass.blank_led.copied(hand.begins_line, hand.blank_led, hand.line, outputs.observer);
      continue;
    }
    convert_selected(pass, hand, length);
  }
  return input.line;
}
