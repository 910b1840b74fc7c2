// Converting one record with its RuleSet: compute, check, replace, log.
#pragma once
#include <cstdint>
#include <cstdio>

#include "expr/compiled_library.h"
#include "records/header_parse.h"
#include "records/record.h"

constexpr float kFailureThreshold = -99998.0f;

// The streams a conversion writes to (nullptr for one that is switched off), and how
// the program shows a record.
struct ConvertStreams {
  std::FILE* log;
  std::FILE* changes;
  bool echo_suspects;  // the unit-case builder also shows suspect lines on the console
  BusNameForm bus_name_form;
};

// What the check made of one output value.
enum class ValueMark : uint8_t {
  passed,    // its test passed, or it has none
  kept,      // its test yielded zero; it stands, having no replacement
  replaced,  // its test yielded zero; its replace expression gave the value
};
// The mark as the log, changes file and messages write it: blank, "*" or "#".
constexpr char mark_character(ValueMark mark) {
  return mark == ValueMark::kept ? '*' : mark == ValueMark::replaced ? '#' : ' ';
}

struct ConversionResult {
  RecordPlace place;              // where the record stands, read before it was renamed
  int header_end;                 // the colon position of the renamed header (see write_model_name)
  bool failed;                    // an output ended below the failure threshold or is no number
  int suspects;                   // outputs whose test yielded zero
  float outputs[kMaxParameters];  // the converted values, by output parameter
  ValueMark marks[kMaxParameters];       // per output
  float suspect_values[kMaxParameters];  // of a suspect output: its value before replacement
};

// Converts the record (its values already in the rule's inputs) with the rule's
// compiled expressions: returns the outputs 0..output_count-1, and leaves the text
// beginning with the to-model name, or "failed" when an output is unusable; counts the
// record into the rule's counts. colon_position must not exceed kMaxHeaderLength.
ConversionResult convert_record(const ActiveRule& rule, char* text, int colon_position,
                                const ConvertStreams& streams);
