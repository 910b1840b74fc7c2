// The one step every record to be converted takes, in every program: the header's
// colons checked, its colon found, its parameters parsed into the rule's inputs, the
// record converted and written.
#pragma once
#include <cstdio>

#include "convert/convert_record.h"
#include "records/record.h"

// Where a record stands in its file, for whoever tunes it.
struct RecordAt {
  int rule;  // its RuleSet
  int line;  // where it begins, 1-based
  int bus;   // as the loop read it
};

// Changes the values of a converted record, not failed, before they are written: the
// fit of rulecheck --fit. The record's text begins with its new model name and header.
struct RecordTuner {
  virtual ~RecordTuner() = default;
  virtual void tune(const RecordAt& at, const char* text, const ParsedRecord& parsed,
                    ConversionResult& conversion) = 0;
};

// What the step writes; nullptr switches a stream off.
struct StepOutputs {
  std::FILE* out;          // the converted record
  ConvertStreams streams;  // log and changes, and how the program shows a record
  bool echo_parsed;        // "  [text]" on the console after the parse, flushed (modeltest)
  RecordTuner* tuner;      // nullptr: the values stand as converted
  RecordAt at;             // for the tuner
};

enum class StepOutcome {
  converted,
  failed,           // converted and written, with "failed" for its model name
  no_colon,         // no colon at index kHeaderCheckLength or later within kColonSearch
  header_too_long,  // its colon lies beyond kMaxHeaderLength
};

struct StepResult {
  StepOutcome outcome;
  ConversionResult conversion;  // when converted or failed
};

// Takes the record `text` (continuation lines joined), which begins on line `line` of
// its file, through the whole step. A record that gives fewer values than the rule
// reads is told on the console before it is converted. A record without a usable colon
// is neither converted nor written: that is the caller's to report. The text is left
// as the parse and the conversion leave it.
StepResult convert_record_text(const ActiveRule& rule, char* text, int line, ParsedRecord& parsed,
                               const StepOutputs& outputs);

// The second half of the step: the parsed values become the rule's inputs, and the
// record is converted and written (its lines ending in CR LF when `crlf`). The dry run
// of the rule checker starts here, with a record and working values of its own.
ConversionResult convert_parsed(const ActiveRule& rule, char* text, ParsedRecord& parsed, bool crlf,
                                const StepOutputs& outputs);
