// The batch converter's reading loop over a dynamic data file: every line copied or,
// when its model has a rule and its bus is selected, converted. The same loop serves
// the preview, with every output switched off and a tally kept instead.
#pragma once
#include <cstdio>

#include "batch/bus_selection.h"
#include "convert/convert_record.h"
#include "rules/rule_table.h"

// The streams the loop writes; nullptr switches one off.
struct BatchOutputs {
  std::FILE* out;          // the converted file
  std::FILE* trace;        // the line trace "rerr.txt"
  ConvertStreams streams;  // log and changes
};

constexpr int kMaxTalliedModels = 1024;
constexpr int kTalliedNameSize = 32;  // a model name's first 31 characters

// What a preview counts beyond the RuleSets' found and converted counts.
struct BatchTally {
  int failed[kMaxRuleSets];    // records whose conversion failed
  int suspects[kMaxRuleSets];  // values whose test yielded zero
  // Records whose model no RuleSet converts (lines that begin with a letter and hold a
  // colon), by model name in the order first met.
  char models[kMaxTalliedModels][kTalliedNameSize];
  int model_records[kMaxTalliedModels];
  int model_count;
  int other_model_records;  // of further models once the table is full
};

// Reads the input to its end. `tally` may be nullptr.
void convert_file(std::FILE* file, const BusSelection& selection, const BatchOutputs& outputs,
                  BatchTally* tally);
