// Converting one record with its RuleSet: compute, check, replace, log.
#pragma once
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

struct ConversionResult {
  int header_end;              // the colon position of the renamed header (see write_model_name)
  bool failed;                 // an output ended below the failure threshold or is no number
  int suspects;                // outputs whose test yielded zero
  char marks[kMaxParameters];  // per output: blank passed, "*" suspect and kept, "#" replaced
  float suspect_values[kMaxParameters];  // of a suspect output: its value before replacement
};

// Converts the record (its values already in the rule's inputs) with the rule's
// compiled expressions: on return values 0..output_count-1 hold the outputs and the
// text begins with the to-model name, or "failed" when an output is unusable.
// colon_position must not exceed kMaxHeaderLength.
ConversionResult convert_record(const ActiveRule& rule, char* text, ParameterValues& values,
                                int colon_position, const ConvertStreams& streams);
