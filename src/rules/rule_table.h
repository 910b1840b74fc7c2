// The rule library as loaded (read-only once loaded), and the working values and counts
// a run keeps beside it.
#pragma once
#include <cstdint>

// The limits of the table; every message that states one is formatted from its name.
constexpr int kMaxRuleSets = 128;
constexpr int kMaxParameters = 64;
constexpr int kNameSize = 16;        // names of at most kNameSize - 1 characters
constexpr int kExpressionSize = 64;  // expressions of at most kExpressionSize - 1 characters

// What a replace expression asks for, decided when it is loaded. Only "NULL" itself is
// left out of a suspect line; any text beginning with those four letters is never
// evaluated.
enum class Replacement : uint8_t {
  none,        // exactly "NULL": not evaluated, not shown
  never,       // begins with "NULL" (NULL1): not evaluated, but shown
  expression,  // evaluated when the test fails
};
Replacement replacement_of(const char* replace_expression);
// The text the loader stores when an output line gives no replace expression.
constexpr const char* kNoReplacement = "NULL";

// Converts records of `from_model` into records of `to_model`. Index k of every input
// array is input parameter k, index k of every output array output parameter k. Filled
// by the loader; nothing changes it afterwards.
struct RuleSet {
  char from_model[kNameSize];
  char to_model[kNameSize];
  float input_start[kMaxParameters];   // the value the rule file gives each input
  float output_start[kMaxParameters];  // the mid value of each output's limits
  float high_limits[kMaxParameters];
  float low_limits[kMaxParameters];
  char input_names[kMaxParameters][kNameSize];        // "@" included
  char output_names[kMaxParameters][kNameSize];       // "$" included
  char expressions[kMaxParameters][kExpressionSize];  // the whole "name=expression"
  char test_expressions[kMaxParameters][kExpressionSize];
  char replace_expressions[kMaxParameters][kExpressionSize];  // "NULL": never replace
  Replacement replacements[kMaxParameters];
  int32_t input_count;
  int32_t output_count;
};

// Every rule of the library, in the order of the pairs in "rule.txt".
struct RuleTable {
  int32_t rule_count;
  RuleSet rule_sets[kMaxRuleSets];
};

// Back to the state at program start: empty.
void reset_rule_table(RuleTable& table);

// The values a RuleSet's expressions read and assign. They start as the rule file gives
// them and persist from one record of the RuleSet to the next: an expression that reads
// an output before its assignment sees the value the previous record left.
struct RuleValues {
  float inputs[kMaxParameters];
  float outputs[kMaxParameters];
};
RuleValues start_values(const RuleSet& rule);

// What a run counts of one RuleSet.
struct RuleCounts {
  int32_t found;      // records whose model matched it
  int32_t converted;  // and were converted without failing
  int32_t failed;     // converted, but an output was left unusable
  int32_t suspects;   // values whose test yielded zero
  int32_t replaced;   // and which were replaced
};

// Everything a run changes about its rules, by the RuleTable's index.
struct RuleState {
  RuleValues values[kMaxRuleSets];
  RuleCounts counts[kMaxRuleSets];
};
// The state of a run that has converted nothing yet.
void start_rule_state(const RuleTable& table, RuleState& state);
