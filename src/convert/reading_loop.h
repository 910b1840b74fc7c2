// modelconv's reading loop over a dynamic data file: every line copied or, when its
// model has a rule and its bus is selected, converted. The preview of rulecheck runs
// the same loop with every output switched off and an observer to count.
#pragma once
#include <cstdio>

#include "convert/bus_selection.h"
#include "convert/convert_record.h"
#include "expr/compiled_library.h"
#include "rules/rule_table.h"

// The streams the loop writes; nullptr switches one off.
struct LoopOutputs {
  std::FILE* out;          // the converted file
  std::FILE* trace;        // the line trace "rerr.txt"
  ConvertStreams streams;  // log and changes
};

// What a preview learns from the loop beyond the RuleSets' found and converted counts.
struct LoopObserver {
  virtual ~LoopObserver() = default;
  // A record went through the conversion of RuleSet `rule` (failed or not).
  virtual void record_converted(int rule, const ConversionResult& result) = 0;
  // A record line (it begins with a letter and holds a colon) whose model `model` no
  // RuleSet converts.
  virtual void model_without_rule(const char* model) = 0;
};

// Reads the input to its end; `observer` may be nullptr.
void convert_data_file(std::FILE* file, RuleTable& table, const CompiledLibrary& library,
                       const BusSelection& selection, const LoopOutputs& outputs,
                       LoopObserver* observer);
