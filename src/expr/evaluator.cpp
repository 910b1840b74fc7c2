// The text evaluator: evaluates a rule expression as it reads it, its names resolved
// in the current RuleSet. It is the reference that compiled expressions must match.
#include "expr/evaluator.h"

#include <cstring>

#include "expr/grammar.h"
#include "rules/rule_table.h"

namespace {

float dummy_value;

// Computes each step of the grammar at once.
struct Evaluation {
  using Value = float;
  Value number(float value, int) { return value; }
  Value load(const NameToken& name) { return *find_parameter(name.text); }
  Value assign(const NameToken& name, Value value) {
    *find_parameter(name.text) = value;
    return value;
  }
  Value negate(Value value, int) { return -value; }
  Value binary(Token op, Value left, Value right, int) { return apply_binary(op, left, right); }
  Value close_expected(Value, int) { return static_cast<float>(expression_error(") expected")); }
  Value primary_expected(int) { return static_cast<float>(expression_error("primary expected")); }
  void bad_character(int) { expression_error("bad token"); }
};

}  // namespace

float* find_parameter(const char* name) {
  const int index = rule_table.current_rule;
  if ((name[0] == '$' || name[0] == '@') && index >= 0 && index < rule_table.rule_count) {
    RuleSet& r = rule_table.rule_sets[index];
    const bool output = name[0] == '$';
    char(*names)[kNameSize] = output ? r.output_names : r.input_names;
    float* values = output ? r.output_values : r.input_values;
    for (int k = 0; k < kMaxParameters; ++k) {
      if (std::strcmp(names[k], name) == 0) return &values[k];
    }
    unknown_name_message(name, static_cast<int>(std::strlen(name)));
  }
  dummy_value = kDummyValue;
  return &dummy_value;
}

void evaluate_text(const char* text, float* target) {
  // A stored expression has at most 63 characters; reading no further also bounds
  // the depth of the recursion.
  char copy[kExpressionSize];
  std::strncpy(copy, text, sizeof copy - 1);
  copy[sizeof copy - 1] = '\0';
  Evaluation evaluation;
  Parser<Evaluation> parser{{}, evaluation};
  parse_text(parser, copy, [&](float value) { *target = value; });
}
