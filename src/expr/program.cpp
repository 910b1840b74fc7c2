// Compiled expressions: the instructions of an expression, in the order in which the
// text evaluator does its work, and the machine that runs them.
#include "expr/program.h"

#include "expr/arithmetic.h"
#include "expr/lexer.h"
#include "expr/messages.h"
#include "rules/rule_table.h"

void run_program(const Program& program, const Instruction* pool, float* target) {
  RuleSet& r = current_rule_set();
  float stack[kMaxProgramLength];
  int top = -1;  // index of the top value
  const Instruction* code = pool + program.first;
  for (int i = 0; i < program.count; ++i) {
    const Instruction& in = code[i];
    switch (in.op) {
      case Op::push: stack[++top] = in.number; break;
      case Op::load_input: stack[++top] = r.input_values[in.slot]; break;
      case Op::load_output: stack[++top] = r.output_values[in.slot]; break;
      case Op::load_unknown:
        unknown_name_message(program.text + in.offset, in.length);
        stack[++top] = kDummyValue;
        break;
      case Op::load_dummy: stack[++top] = kDummyValue; break;
      case Op::store_input: r.input_values[in.slot] = stack[top]; break;
      case Op::store_output: r.output_values[in.slot] = stack[top]; break;
      case Op::store_unknown: unknown_name_message(program.text + in.offset, in.length); break;
      case Op::store_dummy: break;
      case Op::negate: stack[top] = -stack[top]; break;
      case Op::binary:
        stack[top - 1] = apply_binary(static_cast<Token>(in.slot), stack[top - 1], stack[top]);
        --top;
        break;
      case Op::close_expected: stack[top] = static_cast<float>(expression_error(") expected")); break;
      case Op::primary_expected:
        stack[++top] = static_cast<float>(expression_error("primary expected"));
        break;
      case Op::bad_character: expression_error("bad token"); break;
    }
  }
  if (program.stores) *target = stack[top];
}
