// Converting one record with its RuleSet: compute, check, replace, log.
#include "convert/convert_record.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "convert/model_name.h"
#include "io/console.h"
#include "text/format.h"

namespace {

constexpr int kDisplayHeaderSize = 300;

constexpr int kLineSize = 512;  // the widest suspect or detail line with room to spare

void put(std::FILE* f, const char* line, int length) {
  if (f) std::fwrite(line, 1, static_cast<std::size_t>(length), f);
}

// "%-48.48s,   %-16s, %9.4f, %9.4f, %1c, %-48.48s", then "%-32s" with the replace
// expression unless it is exactly "NULL", and the newline.
int format_suspect_line(char* line, const char* display, const RuleSet& r, int k, float suspect,
                        float final_value, ValueMark mark) {
  char* p = put_text(line, display, 48, 48);
  p = put_literal(p, ",   ");
  p = put_text(p, r.output_names[k], 16);
  p = put_literal(p, ", ");
  p = put_fixed(p, suspect, 9, 4);
  p = put_literal(p, ", ");
  p = put_fixed(p, final_value, 9, 4);
  p = put_literal(p, ", ");
  *p++ = mark_character(mark);
  p = put_literal(p, ", ");
  p = put_text(p, r.test_expressions[k], 48, 48);
  if (r.replacements[k] != Replacement::none) p = put_text(p, r.replace_expressions[k], 32);
  *p++ = '\n';
  return static_cast<int>(p - line);
}

// One line per output: "%-16.16s  %14.4f   ", then " %1c  %-64s" with the mark and the
// test (mark "*") or replace expression (mark "#"), and the newline; in one write.
void write_detail_block(std::FILE* f, const RuleSet& r, const ConversionResult& result) {
  if (!f) return;
  char block[kMaxParameters * kLineSize];
  char* p = block;
  for (int k = 0; k < r.output_count; ++k) {
    p = put_text(p, r.output_names[k], 16, 16);
    p = put_literal(p, "  ");
    p = put_fixed(p, result.outputs[k], 14, 4);
    p = put_literal(p, "   ");
    const ValueMark mark = result.marks[k];
    if (mark != ValueMark::passed) {
      *p++ = ' ';
      *p++ = mark_character(mark);
      p = put_literal(p, "  ");
      p = put_text(p, mark == ValueMark::kept ? r.test_expressions[k] : r.replace_expressions[k],
                   64);
    }
    *p++ = '\n';
  }
  put(f, block, static_cast<int>(p - block));
}

// "model, bus, "name", kV, "ID"" from the record's header, the text up to its colon:
// "%-6.6s, %-8d, \"%s\", %-8.2f, \"%-2.2s\"".
void make_display_header(const char* text, int colon_position, BusNameForm form, char* display) {
  char header_text[kMaxHeaderLength + 1];
  const int length = colon_position < kMaxHeaderLength ? colon_position : kMaxHeaderLength;
  std::memcpy(header_text, text, static_cast<std::size_t>(length));
  header_text[length] = '\0';
  RecordHeader h;
  parse_conversion_header(header_text, h, form);
  char* p = put_text(display, h.model, 6, 6);
  p = put_literal(p, ", ");
  p = put_int(p, h.bus_number, 8, true);
  p = put_literal(p, ", \"");
  p = put_text(p, h.bus_name, 0);
  p = put_literal(p, "\", ");
  p = put_fixed(p, h.base_kv, 8, 2, true);
  p = put_literal(p, ", \"");
  p = put_text(p, h.unit_id, 2, 2);
  *p++ = '"';
  *p = '\0';
}

// Only a positive zero fails a test; a negative zero passes.
bool is_positive_zero(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits == 0;
}

// The record's display header, made only once the record has something to report: the
// header text it comes from is not changed before then.
struct Display {
  const char* text;
  int colon_position;
  BusNameForm form;
  char header[kDisplayHeaderSize] = "";
  const char* get() {
    if (header[0] == '\0') make_display_header(text, colon_position, form, header);
    return header;
  }
};

// Runs every test, replaces what fails and has a replacement, and writes each suspect
// line; returns the number of suspect values.
int check_outputs(const ActiveRule& rule, ConversionResult& result, Display& display,
                  const ConvertStreams& streams) {
  const RuleSet& r = rule.set;
  float* outputs = rule.values.outputs;
  int suspect_count = 0;
  float test_value = 1.0f;
  for (int k = 0; k < r.output_count; ++k) {
    result.marks[k] = ValueMark::passed;
    if (r.test_expressions[k][0] == '\0') continue;  // no test: the value stands
    run_rule_program(rule, rule.programs.tests[k], r.test_expressions[k], &test_value);
    const float suspect = outputs[k];
    if (!is_positive_zero(test_value)) continue;

    if (suspect_count == 0) put(streams.changes, "\n", 1);
    result.marks[k] = ValueMark::kept;
    result.suspect_values[k] = suspect;
    if (r.replacements[k] == Replacement::expression) {
      run_rule_program(rule, rule.programs.replaces[k], r.replace_expressions[k], &outputs[k]);
      result.marks[k] = ValueMark::replaced;
      ++rule.counts.replaced;
    }
    if (streams.log || streams.changes || (streams.echo_suspects && !console_is_off())) {
      char line[kLineSize];
      const int n =
          format_suspect_line(line, display.get(), r, k, suspect, outputs[k], result.marks[k]);
      if (streams.echo_suspects) console_write(line, static_cast<std::size_t>(n));
      put(streams.log, line, n);
      put(streams.changes, line, n);
    }
    ++suspect_count;
  }
  return suspect_count;
}

}  // namespace

ConversionResult convert_record(const ActiveRule& rule, char* text, int colon_position,
                                const ConvertStreams& streams) {
  const RuleSet& r = rule.set;
  float* outputs = rule.values.outputs;
  Display display{text, colon_position, streams.bus_name_form};

  ConversionResult result;
  parse_record_place(text, colon_position, result.place);
  for (int k = 0; k < r.output_count; ++k)
    run_rule_program(rule, rule.programs.assignments[k], r.expressions[k], &outputs[k]);

  result.suspects = check_outputs(rule, result, display, streams);
  for (int k = 0; k < r.output_count; ++k) result.outputs[k] = outputs[k];
  if (result.suspects > 0) write_detail_block(streams.changes, r, result);

  bool failed = false;
  for (int k = 0; k < r.output_count; ++k) {
    const float v = outputs[k];
    if (v < kFailureThreshold || std::isnan(v)) {
      failed = true;
      if (!console_is_off()) console_printf("[[%s]]\n", display.get());
    }
  }

  rule.counts.suspects += result.suspects;
  if (failed) {
    ++rule.counts.failed;
  } else {
    ++rule.counts.converted;
  }
  result.header_end = write_model_name(text, colon_position, failed ? "failed" : r.to_model);
  result.failed = failed;
  return result;
}
