// Compiled expressions: the instructions of an expression, in the order in which the
// text evaluator does its work, and the machine that runs them.
#include "expr/program.h"

#include <cstring>

#include "expr/arithmetic.h"
#include "expr/messages.h"

float pushed_number(const Instruction* push) {
  float number;
  std::memcpy(&number, push + 1, sizeof number);
  return number;
}

namespace {

// One binary operator, its token known where it is compiled in: the machine dispatches
// once per instruction.
template <Token kOp>
inline void apply(float* stack, int& top) {
  const float right = stack[top--];
  if (kOp == kDivide && divides_by_zero(right)) divide_by_zero_message();
  stack[top] = binary_value(kOp, stack[top], right);
}

}  // namespace

void run_program(const Program& program, const Instruction* pool, const char* text,
                 const ProgramScope& scope, float* target) {
  float stack[kMaxProgramLength];
  int top = -1;  // index of the top value
  float* inputs = scope.values.inputs;
  float* outputs = scope.values.outputs;
  const Instruction* code = pool + program.first;
  const Instruction* end = code + program.count;
  for (const Instruction* ins = code; ins < end; ++ins) {
    switch (ins->op) {
      case Op::push:
        stack[++top] = pushed_number(ins);
        ++ins;
        break;
      case Op::load_input:
        stack[++top] = inputs[ins->slot];
        break;
      case Op::load_output:
        stack[++top] = outputs[ins->slot];
        break;
      case Op::load_unknown:
        unknown_name_message(text + ins->offset, ins->length, scope.rule, scope.index);
        stack[++top] = kDummyValue;
        break;
      case Op::load_dummy:
        stack[++top] = kDummyValue;
        break;
      case Op::store_input:
        inputs[ins->slot] = stack[top];
        break;
      case Op::store_output:
        outputs[ins->slot] = stack[top];
        break;
      case Op::store_unknown:
        unknown_name_message(text + ins->offset, ins->length, scope.rule, scope.index);
        break;
      case Op::store_dummy:
        break;
      case Op::negate:
        stack[top] = -stack[top];
        break;
      // clang-format off
      case Op::add:           apply<kPlus>(stack, top); break;
      case Op::subtract:      apply<kMinus>(stack, top); break;
      case Op::multiply:      apply<kTimes>(stack, top); break;
      case Op::divide:        apply<kDivide>(stack, top); break;
      case Op::power:         apply<kPower>(stack, top); break;
      case Op::less:          apply<kLess>(stack, top); break;
      case Op::greater:       apply<kGreater>(stack, top); break;
      case Op::less_equal:    apply<kLessEqual>(stack, top); break;
      case Op::greater_equal: apply<kGreaterEqual>(stack, top); break;
      case Op::equal:         apply<kEqual>(stack, top); break;
      case Op::not_equal:     apply<kNotEqual>(stack, top); break;
      // clang-format on
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
