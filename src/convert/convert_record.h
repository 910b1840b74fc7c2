// Converting one record with its RuleSet: compute, check, replace, log.
#pragma once
#include <cstdio>

#include "records/header_parse.h"
#include "records/record.h"
#include "rules/rule_table.h"

constexpr float kFailureThreshold = -99998.0f;

// The streams a conversion writes to; nullptr for a stream that is switched off.
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
};

// Converts the record (its values already in the RuleSet's inputs) with RuleSet
// current_rule and its compiled expressions: on return values 0..output_count-1 hold
// the outputs and the text begins with the to-model name, or "failed" when an output
// is unusable. colon_position must not exceed 299.
ConversionResult convert_record(char* text, ParameterValues& values, int colon_position,
                                const ConvertStreams& streams);

// Creates a log or changes file (writing through `buffer`, see open_for_writing) and
// writes its column header line; when it cannot be created, writes the failure message
// and uses standard output instead.
std::FILE* open_log_stream(const char* name, const char* failure_message, char* buffer = nullptr);

// The log and changes files begin with this column header line.
constexpr const char* kLogHeaderLine =
    "Model,   Bus,       Name,     Bkv,     ID,          Param,              Suspect,  "
    "Replaced, c,   Check                                           Replace\n";
