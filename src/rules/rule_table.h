// The RuleTable: every conversion rule of the run, in one static block.
#pragma once
#include <cstdint>

// The limits of the table; every message that states one is formatted from its name.
constexpr int kMaxRuleSets = 128;
constexpr int kMaxParameters = 64;
constexpr int kNameSize = 16;        // names of at most kNameSize - 1 characters
constexpr int kExpressionSize = 64;  // expressions of at most kExpressionSize - 1 characters

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
  // The RuleSet of the record in hand, -1 for none: set and read by the reading loops,
  // which hand the RuleSet itself to everything they call.
  int32_t current_rule;
};

// The table of the run. The programs hand it to what they call; nothing reads it here.
extern RuleTable rule_table;

// Back to the state at program start: empty, no current rule.
void reset_rule_table(RuleTable& table);

// What a replace expression asks for. Only "NULL" itself is left out of a suspect
// line; any text beginning with those four letters is never evaluated.
enum class Replacement {
  none,        // exactly "NULL": not evaluated, not shown
  never,       // begins with "NULL" (NULL1): not evaluated, but shown
  expression,  // evaluated when the test fails
};
Replacement replacement_of(const char* replace_expression);
// The text the loader stores when an output line gives no replace expression.
constexpr const char* kNoReplacement = "NULL";
