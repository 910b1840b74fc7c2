// The RuleTable: every conversion rule of the run, in one static block.
#pragma once
#include <cstdint>

constexpr int kMaxRuleSets = 128;
constexpr int kMaxParameters = 64;
constexpr int kNameSize = 16;        // names of at most 15 characters
constexpr int kExpressionSize = 64;  // expressions of at most 63 characters

// Converts records of `from_model` into records of `to_model`. Index k of every input
// array is input parameter k, index k of every output array output parameter k.
struct RuleSet {
  char from_model[kNameSize];
  char to_model[kNameSize];
  float input_values[kMaxParameters];
  float output_values[kMaxParameters];
  float high_limits[kMaxParameters];
  float low_limits[kMaxParameters];
  char input_names[kMaxParameters][kNameSize];        // "@" included
  char output_names[kMaxParameters][kNameSize];       // "$" included
  char expressions[kMaxParameters][kExpressionSize];  // the whole "name=expression"
  char test_expressions[kMaxParameters][kExpressionSize];
  char replace_expressions[kMaxParameters][kExpressionSize];  // "NULL": never replace
  int32_t input_count;
  int32_t output_count;
  int32_t converted_count;
  int32_t found_count;
};

struct RuleTable {
  int32_t rule_count;
  RuleSet rule_sets[kMaxRuleSets];
  int32_t current_rule;  // RuleSet of the record in hand, -1 for none
};

extern RuleTable rule_table;

// Back to the state at program start (for tests and fuzzing).
void reset_rule_table();
inline RuleSet& current_rule_set() { return rule_table.rule_sets[rule_table.current_rule]; }
