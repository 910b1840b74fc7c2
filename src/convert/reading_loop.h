// modelconv's reading loop over a dynamic data file: every line copied or, when its
// model has a rule and its bus is selected, converted. The preview of rulecheck runs
// the same loop with every output switched off and an observer to count.
#pragma once
#include <cstdio>

#include "convert/bus_selection.h"
#include "convert/convert_record.h"
#include "convert/record_step.h"
#include "expr/compiled_library.h"
#include "io/line_reader.h"
#include "records/record.h"
#include "records/record_reader.h"

// A record the loop converted (failed or not), as it stands after the conversion.
struct ConvertedRecord {
  int rule;          // its RuleSet
  int line;          // where it begins in the file, 1-based
  int bus_number;    // as the loop read it
  const char* text;  // the new model name and the header, up to conversion.header_end
  const ParsedRecord& parsed;
  const ConversionResult& conversion;
};

// What a preview learns from the loop beyond the RuleSets' counts.
struct LoopObserver {
  virtual ~LoopObserver() = default;
  virtual void record_converted(const ConvertedRecord& record) = 0;
  // A record line (it begins with a letter and holds a colon) whose model `model` no
  // RuleSet converts.
  virtual void model_without_rule(const char* model) = 0;
  // Line `line`, copied unchanged, begins with a blank after a record of RuleSet `rule`
  // was converted (or after another such line).
  virtual void blank_led_line(int rule, int line) = 0;
};

// Where the loop's results go; nullptr switches one off.
struct LoopOutputs {
  std::FILE* out;          // the converted file
  std::FILE* trace;        // the line trace "rerr.txt"
  ConvertStreams streams;  // log and changes
  LoopObserver* observer;  // told of every converted record
  RecordTuner* tuner;      // changes a converted record's values before they are written
};

// What the loop reads into: the input file's blocks, the record in hand and the bytes it
// was read from. Owned by the run.
struct LoopBuffers {
  LineInput input;
  DynamicRecord record;
  RawLines raw;
};

// Reads `file` to its end, converting by `library` and counting into `state`. Returns
// the number of lines of the file.
int convert_data_file(std::FILE* file, const RuleLibrary& library, RuleState& state,
                      const BusSelection& selection, const LoopOutputs& outputs,
                      LoopBuffers& buffers);
