// The checks of one compiled expression: what its instructions show of syntax errors,
// names, assignments, readings and divisions, each at its token's column.
#include "rulecheck/expression_check.h"

#include <cmath>
#include <cstring>

#include "expr/lexer.h"
#include "rules/compiled_rules.h"
#include "rules/rule_table.h"

namespace {

// A value on the stack as far as the checker knows it: a constant, or unknown.
struct Known {
  bool constant;
  float value;
};

float fold(Token op, float a, float b) {
  switch (op) {
    case kPlus:
      return a + b;
    case kMinus:
      return a - b;
    case kTimes:
      return a * b;
    case kDivide:
      return a / b;  // only when b is neither zero nor a NaN
    case kPower:
      return static_cast<float>(std::pow(static_cast<double>(a), static_cast<double>(b)));
    default:
      return NAN;  // comparisons are not needed here
  }
}

SourcePoint at_offset(const ExpressionSite& site, int offset) {
  return SourcePoint{site.at.file, site.at.line, site.at.column + offset};
}

// The text from `offset` to the end of the expression, quoted.
void rest_of(const char* text, int offset, char* out, int size) {
  quote_text(text + offset, kExpressionSize, out, size);
}

}  // namespace

void check_expression(const Program& p, const ExpressionSite& site, bool* assigned) {
  const RuleSet& r = rule_table.rule_sets[site.rule];
  const char* own = r.output_names[site.output];
  const Instruction* code = rule_instructions + p.first;
  Known stack[kMaxProgramLength];
  int top = -1;
  bool assigns_own = false;  // or an earlier output of the same name, reported already
  char quoted[4 * kExpressionSize + 8];
  char name[4 * kTokenTextSize + 8];

  const char* text = site.text;
  for (int i = 0; i < p.count; i += slots_of(code[i])) {
    const Instruction& in = code[i];
    const SourcePoint at = at_offset(site, in.offset);
    quote_text(text + in.offset, in.length, name, sizeof name);
    switch (in.op) {
      case Op::push:
        stack[++top] = Known{true, pushed_number(&in)};
        break;
      case Op::load_input:
        stack[++top] = Known{false, 0};
        break;
      case Op::load_output:
        if (!assigned[in.slot])
          report(Severity::warning, at,
                 "[%s] is read before its assignment in the record: it holds the previous "
                 "record's value, or its mid value in the first record",
                 name);
        stack[++top] = Known{false, 0};
        break;
      case Op::load_unknown:
      case Op::store_unknown:
        report(Severity::error, at, "unknown name [%s]", name);
        if (in.op == Op::load_unknown) stack[++top] = Known{false, 0};
        break;
      case Op::load_dummy:
      case Op::store_dummy:
        report(Severity::warning, at, "name without \"@\" or \"$\" always reads -99999 [%s]", name);
        if (in.op == Op::load_dummy) stack[++top] = Known{false, 0};
        break;
      case Op::store_input:
        report(Severity::warning, at, "assigns [%s], not its own parameter [%s]", name, own);
        break;
      case Op::store_output:
        if (static_cast<int>(in.slot) == site.output) {
          assigns_own = true;
        } else if (std::strcmp(r.output_names[in.slot], own) == 0) {
          report(Severity::warning, at,
                 "assigns the earlier output of the same name [%s], not its own parameter", name);
          assigns_own = true;
        } else {
          report(Severity::warning, at, "assigns [%s], not its own parameter [%s]", name, own);
        }
        assigned[in.slot] = true;
        break;
      case Op::negate:
        stack[top].value = -stack[top].value;
        break;
      case Op::add:
      case Op::subtract:
      case Op::multiply:
      case Op::divide:
      case Op::power:
      case Op::less:
      case Op::greater:
      case Op::less_equal:
      case Op::greater_equal:
      case Op::equal:
      case Op::not_equal: {
        const Known right = stack[top--];
        Known& left = stack[top];
        const Token op = binary_token(in.op);
        if (op == kDivide && right.constant && (right.value == 0.0f || std::isnan(right.value))) {
          rest_of(text, in.offset, quoted, sizeof quoted);
          report(Severity::warning, at, "division by a constant zero [%s]: it yields -99999",
                 quoted);
          left = Known{false, 0};
        } else {
          const bool folds = left.constant && right.constant && op != kLess && op != kGreater &&
                             op != kLessEqual && op != kGreaterEqual && op != kEqual &&
                             op != kNotEqual;
          left = folds ? Known{true, fold(op, left.value, right.value)} : Known{false, 0};
        }
        break;
      }
      case Op::close_expected:
        quote_text(text, kExpressionSize, quoted, sizeof quoted);
        report(Severity::error, at, "missing \")\" in [%s]", quoted);
        stack[top] = Known{false, 0};
        break;
      case Op::primary_expected:
        rest_of(text, in.offset, quoted, sizeof quoted);
        if (quoted[0] == '\0') {
          quote_text(text, kExpressionSize, quoted, sizeof quoted);
          report(Severity::error, at, "a value is missing at the end of [%s]", quoted);
        } else {
          report(Severity::error, at, "a value is expected at [%s]", quoted);
        }
        stack[++top] = Known{false, 0};
        break;
      case Op::bad_character:
        quote_text(text + in.offset, 1, quoted, sizeof quoted);
        report(Severity::error, at, "bad character [%s]: the expression ends before it", quoted);
        break;
    }
  }

  if (p.stores && !p.stopped_at_end) {
    rest_of(text, p.stop_offset, quoted, sizeof quoted);
    report(Severity::warning, at_offset(site, p.stop_offset),
           "text after the expression is ignored [%s]", quoted);
  }
  if (site.role == ExpressionRole::assignment) {
    // The conversion stores the expression's value into the output either way.
    if (p.stores) assigned[site.output] = true;
    if (p.stores && !assigns_own && std::strchr(text, '=') && own[0] == '$') {
      quote_text(text, kExpressionSize, quoted, sizeof quoted);
      report(Severity::warning, site.at, "[%s] does not assign [%s]: its value is the expression's",
             quoted, own);
    }
  }
}
