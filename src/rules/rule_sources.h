// Where each part of the rule library stands in its files: the line and column of every
// pair, parameter and expression, so that findings can point at them.
#pragma once
#include <cstdint>

#include "rules/rule_table.h"

// The tokens of an output line, in their order on the line.
enum OutputToken {
  kAssignmentToken,
  kLowToken,
  kHighToken,
  kTestToken,
  kReplaceToken,
  kOutputTokens
};

struct OutputSource {
  int32_t line;                   // 1-based line in the rule file
  int16_t column[kOutputTokens];  // 1-based column of each token, 0 when the line lacks it
};

struct RuleSource {
  int32_t pair_line;  // of the pair in "rule.txt"
  int16_t from_column;
  int16_t to_column;
  bool file_opened;        // the rule file could be opened
  bool file_read;          // and was read to its end
  int32_t input_end_line;  // of the "@end" line, 0 when the file has none
  int32_t output_end_line;
  int32_t input_lines[kMaxParameters];
  int16_t input_columns[kMaxParameters];  // of the name, 0 for a line without tokens
  OutputSource outputs[kMaxParameters];
};

// Where every RuleSet of a table stands, by its index: filled by the loader when the
// caller asks for it (the checker); the programs need no positions.
struct RuleSources {
  RuleSource rule_sets[kMaxRuleSets];
};
