// The text evaluator: evaluates a rule expression as it reads it. The programs run
// compiled expressions; this is the reference they are proven against (test library).
#include "expr/text_evaluator.h"

#include <cstring>

#include "expr/arithmetic.h"
#include "expr/grammar.h"
#include "expr/messages.h"
#include "expr/names.h"

namespace {

// Computes each step of the grammar at once.
struct Evaluation {
  using Value = float;
  const ProgramScope& scope;
  float dummy;  // what an unresolvable name stands for: reads -99999, an assignment is lost

  float* place_of(const char* name) {
    const NameRef ref = resolve_name(&scope.rule, name);
    if (ref.kind == NameKind::input) return &scope.values.inputs[ref.slot];
    if (ref.kind == NameKind::output) return &scope.values.outputs[ref.slot];
    if (ref.kind == NameKind::unknown)
      unknown_name_message(name, static_cast<int>(std::strlen(name)), scope.rule, scope.index);
    dummy = kDummyValue;
    return &dummy;
  }
  Value number(float value, int) { return value; }
  Value load(const NameToken& name) { return *place_of(name.text); }
  Value assign(const NameToken& name, Value value) {
    *place_of(name.text) = value;
    return value;
  }
  Value negate(Value value, int) { return -value; }
  Value binary(Token op, Value left, Value right, int) {
    if (op == kDivide && divides_by_zero(right)) divide_by_zero_message();
    return binary_value(op, left, right);
  }
  Value close_expected(Value, int) { return static_cast<float>(expression_error(") expected")); }
  Value primary_expected(int) { return static_cast<float>(expression_error("primary expected")); }
  void bad_character(int) { expression_error("bad token"); }
};

}  // namespace

void evaluate_text(const char* text, const ProgramScope& scope, float* target) {
  // A stored expression has at most 63 characters; reading no further also bounds
  // the depth of the recursion.
  char copy[kExpressionSize];
  std::strncpy(copy, text, sizeof copy - 1);
  copy[sizeof copy - 1] = '\0';
  Evaluation evaluation{scope, 0.0f};
  Parser<Evaluation> parser{{}, evaluation};
  parse_text(parser, copy, [&](float value) { *target = value; });
}
