// The checks of one compiled expression: what its instructions show of syntax errors,
// names, assignments, readings and divisions, each at its token's column.
#include "rulecheck/check/expression_check.h"

#include <cmath>
#include <cstring>

#include "expr/arithmetic.h"
#include "expr/lexer.h"
#include "text/format.h"

namespace {

// A value on the stack as far as the checker knows it: a constant, or unknown; and
// whether a unary minus made it, and where.
struct Known {
  bool constant;
  float value;
  int negated_at = -1;  // offset of the minus, -1 when the value is not negated
};
constexpr Known kUnknown{false, 0.0f};

// The checker walks a program as the machine runs it, with what it knows of each value.
struct Walk {
  Walk(const ExpressionSite& s, bool* a) : site(s), assigned(a) {}
  const ExpressionSite& site;
  bool* assigned;
  Known stack[kMaxProgramLength];
  int top = -1;
  bool assigns_own = false;  // or an earlier output of the same name, reported already
  char quoted[4 * kExpressionSize + 8];

  SourcePoint at(int offset) const {
    return SourcePoint{site.at.file, site.at.line, site.at.column + offset};
  }
  // The expression's text from `offset` on (the whole of it by default), quoted.
  const char* rest_from(int offset = 0) {
    quote_text(site.text + offset, kExpressionSize, quoted, sizeof quoted);
    return quoted;
  }
  void push(Known k) { stack[++top] = k; }
};

void store_output(Walk& w, const Instruction& ins, const char* name) {
  const RuleSet& r = w.site.rule;
  const char* own = r.output_names[w.site.output];
  if (static_cast<int>(ins.slot) == w.site.output) {
    w.assigns_own = true;
  } else if (std::strcmp(r.output_names[ins.slot], own) == 0) {
    report(w.site.findings, Severity::warning, w.at(ins.offset),
           "assigns the earlier output of the same name [%s], not its own parameter", name);
    w.assigns_own = true;
  } else {
    report(w.site.findings, Severity::warning, w.at(ins.offset),
           "assigns [%s], not its own parameter [%s]", name, own);
  }
  w.assigned[ins.slot] = true;
}

// A binary operator folds two constants with the machine's own arithmetic; a division
// by a constant zero is a finding.
// True when the parentheses between the minus at `minus` and the operator at `op`
// close a group that the minus stands in: "(-2)^2" was meant as written.
bool minus_is_grouped(const char* text, int minus, int op) {
  int depth = 0;
  for (int i = minus; i < op; ++i) {
    if (text[i] == '(') ++depth;
    if (text[i] == ')' && --depth < 0) return true;
  }
  return false;
}

// A unary minus binds tighter than "^" in this language: -2^2 is (-2)^2 = 4.
void check_minus_before_power(Walk& w, const Known& left, const Instruction& ins) {
  if (ins.op != Op::power || left.negated_at < 0) return;
  if (minus_is_grouped(w.site.text, left.negated_at, ins.offset)) return;
  report(w.site.findings, Severity::warning, w.at(left.negated_at),
         "a unary minus before a power applies first, so -2^2 is 4 [%s]: write -(a^b) or "
         "(-a)^b",
         w.rest_from(left.negated_at));
}

void binary(Walk& w, const Instruction& ins) {
  const Known right = w.stack[w.top--];
  Known& left = w.stack[w.top];
  check_minus_before_power(w, left, ins);
  const Token op = binary_token(ins.op);
  if (op == kDivide && right.constant && divides_by_zero(right.value)) {
    char dummy[kMaxFloatText + 1];
    put_shortest(dummy, kDummyValue);
    report(w.site.findings, Severity::warning, w.at(ins.offset),
           "division by a constant zero [%s]: it yields %s", w.rest_from(ins.offset), dummy);
    left = kUnknown;
  } else if (left.constant && right.constant) {
    left = Known{true, binary_value(op, left.value, right.value)};
  } else {
    left = kUnknown;
  }
}

void primary_expected(Walk& w, const Instruction& ins) {
  const char* rest = w.rest_from(ins.offset);
  if (rest[0] == '\0') {
    report(w.site.findings, Severity::error, w.at(ins.offset),
           "a value is missing at the end of [%s]", w.rest_from());
  } else {
    report(w.site.findings, Severity::error, w.at(ins.offset), "a value is expected at [%s]", rest);
  }
  w.push(kUnknown);
}

void step(Walk& w, const Instruction& ins) {
  char name[4 * kTokenTextSize + 8];
  quote_text(w.site.text + ins.offset, ins.length, name, sizeof name);
  const SourcePoint at = w.at(ins.offset);
  switch (ins.op) {
    case Op::push:
      w.push(Known{true, pushed_number(&ins)});
      break;
    case Op::load_input:
      w.push(kUnknown);
      break;
    case Op::load_output:
      if (!w.assigned[ins.slot])
        report(w.site.findings, Severity::warning, at,
               "[%s] is read before its assignment in the record: it holds the previous "
               "record's value, or its mid value in the first record",
               name);
      w.push(kUnknown);
      break;
    case Op::load_unknown:
    case Op::store_unknown:
      report(w.site.findings, Severity::error, at, "unknown name [%s]", name);
      if (ins.op == Op::load_unknown) w.push(kUnknown);
      break;
    case Op::load_dummy:
    case Op::store_dummy: {
      char dummy[kMaxFloatText + 1];
      put_shortest(dummy, kDummyValue);
      report(w.site.findings, Severity::warning, at,
             "name without \"@\" or \"$\" always reads %s [%s]", dummy, name);
      if (ins.op == Op::load_dummy) w.push(kUnknown);
      break;
    }
    case Op::store_input:
      report(w.site.findings, Severity::warning, at, "assigns [%s], not its own parameter [%s]",
             name, w.site.rule.output_names[w.site.output]);
      break;
    case Op::store_output:
      store_output(w, ins, name);
      break;
    case Op::negate:
      w.stack[w.top].value = -w.stack[w.top].value;
      w.stack[w.top].negated_at = ins.offset;
      break;
    default:  // the binary operators
      binary(w, ins);
      break;
    case Op::close_expected:
      report(w.site.findings, Severity::error, at, "missing \")\" in [%s]", w.rest_from());
      w.stack[w.top] = kUnknown;
      break;
    case Op::primary_expected:
      primary_expected(w, ins);
      break;
    case Op::bad_character:
      quote_text(w.site.text + ins.offset, 1, w.quoted, sizeof w.quoted);
      report(w.site.findings, Severity::error, at,
             "bad character [%s]: the expression ends before it", w.quoted);
      break;
  }
}

}  // namespace

void check_expression(const Program& p, const ExpressionSite& site, bool* assigned) {
  Walk w(site, assigned);
  const Instruction* code = site.pool + p.first;
  for (int i = 0; i < p.count; i += slots_of(code[i])) step(w, code[i]);
  if (p.stores && !p.stopped_at_end)
    report(w.site.findings, Severity::warning, w.at(p.stop_offset),
           "text after the expression is ignored [%s]", w.rest_from(p.stop_offset));
  if (site.role != ExpressionRole::assignment) return;
  // The conversion stores the expression's value into the output either way.
  if (p.stores) assigned[site.output] = true;
  const char* own = site.rule.output_names[site.output];
  if (p.stores && !w.assigns_own && std::strchr(site.text, '=') && own[0] == '$')
    report(w.site.findings, Severity::warning, site.at,
           "[%s] does not assign [%s]: its value is the expression's", w.rest_from(), own);
}
