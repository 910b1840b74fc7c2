// Compiled expressions: the instructions of an expression, in the order in which the
// text evaluator does its work, and the machine that runs them.
#include "expr/program.h"

#include <cstring>

#include "expr/arithmetic.h"
#include "expr/lexer.h"
#include "expr/messages.h"
#include "rules/rule_table.h"

float pushed_number(const Instruction* push) {
  float number;
  std::memcpy(&number, push + 1, sizeof number);
  return number;
}

namespace {
constexpr Token kBinaryTokens[] = {kPlus,    kMinus,     kTimes,        kDivide, kPower,   kLess,
                                   kGreater, kLessEqual, kGreaterEqual, kEqual,  kNotEqual};
}  // namespace

Op binary_op(Token token) {
  for (int i = 0; i < 11; ++i) {
    if (kBinaryTokens[i] == token) return static_cast<Op>(static_cast<int>(Op::add) + i);
  }
  return Op::add;  // the grammar hands over no other token
}

Token binary_token(Op op) {
  return kBinaryTokens[static_cast<int>(op) - static_cast<int>(Op::add)];
}

void run_program(const Program& program, const Instruction* pool, const char* text, float* target) {
  RuleSet& r = current_rule_set();
  float stack[kMaxProgramLength];
  int top = -1;  // index of the top value
  const Instruction* code = pool + program.first;
  const Instruction* end = code + program.count;
  for (const Instruction* in = code; in < end; ++in) {
    switch (in->op) {
      case Op::push:
        stack[++top] = pushed_number(in);
        ++in;
        break;
      case Op::load_input:
        stack[++top] = r.input_values[in->slot];
        break;
      case Op::load_output:
        stack[++top] = r.output_values[in->slot];
        break;
      case Op::load_unknown:
        unknown_name_message(text + in->offset, in->length);
        stack[++top] = kDummyValue;
        break;
      case Op::load_dummy:
        stack[++top] = kDummyValue;
        break;
      case Op::store_input:
        r.input_values[in->slot] = stack[top];
        break;
      case Op::store_output:
        r.output_values[in->slot] = stack[top];
        break;
      case Op::store_unknown:
        unknown_name_message(text + in->offset, in->length);
        break;
      case Op::store_dummy:
        break;
      case Op::negate:
        stack[top] = -stack[top];
        break;
      case Op::add:
        stack[top - 1] = add(stack[top - 1], stack[top]), --top;
        break;
      case Op::subtract:
        stack[top - 1] = stack[top - 1] - stack[top], --top;
        break;
      case Op::multiply:
        stack[top - 1] = multiply(stack[top - 1], stack[top]), --top;
        break;
      case Op::divide:
        stack[top - 1] = divide(stack[top - 1], stack[top]), --top;
        break;
      case Op::power:
        stack[top - 1] = power(stack[top - 1], stack[top]), --top;
        break;
      case Op::less:
        stack[top - 1] = compare(kLess, stack[top - 1], stack[top]), --top;
        break;
      case Op::greater:
        stack[top - 1] = compare(kGreater, stack[top - 1], stack[top]), --top;
        break;
      case Op::less_equal:
        stack[top - 1] = compare(kLessEqual, stack[top - 1], stack[top]), --top;
        break;
      case Op::greater_equal:
        stack[top - 1] = compare(kGreaterEqual, stack[top - 1], stack[top]), --top;
        break;
      case Op::equal:
        stack[top - 1] = compare(kEqual, stack[top - 1], stack[top]), --top;
        break;
      case Op::not_equal:
        stack[top - 1] = compare(kNotEqual, stack[top - 1], stack[top]), --top;
        break;
      case Op::close_expected:
        stack[top] = static_cast<float>(expression_error(") expected"));
        break;
      case Op::primary_expected:
        stack[++top] = static_cast<float>(expression_error("primary expected"));
        break;
      case Op::bad_character:
        expression_error("bad token");
        break;
    }
  }
  if (program.stores) *target = stack[top];
}
