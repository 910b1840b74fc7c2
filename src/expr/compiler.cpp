// Compiling an expression text, once, into the instructions that run it.
#include "expr/compiler.h"

#include <cstring>

#include "expr/grammar.h"
#include "expr/names.h"

namespace {

// Writes each step of the grammar as an instruction, resolving names once, now, by
// the lookup the text evaluator makes when it meets them.
struct Compilation {
  using Value = int;  // values exist only when the program runs
  Instruction* code;
  int count;
  const RuleSet* rule;

  Value emit(Op op, int offset, int slot = 0, int length = 0) {
    // The grammar writes at most kMaxProgramLength slots for a stored text.
    if (count < kMaxProgramLength)
      code[count] = Instruction{op, static_cast<uint8_t>(offset), static_cast<uint8_t>(slot),
                                static_cast<uint8_t>(length)};
    ++count;
    return 0;
  }
  // The place a name stands for: input or output `slot`, unknown, or a letter name.
  Value name(const NameToken& n, Op input, Op output, Op unknown, Op dummy) {
    const int shown = static_cast<int>(std::strlen(n.text));
    const NameRef ref = resolve_name(rule, n.text);
    switch (ref.kind) {
      case NameKind::input:
        return emit(input, n.offset, ref.slot, shown);
      case NameKind::output:
        return emit(output, n.offset, ref.slot, shown);
      case NameKind::unknown:
        return emit(unknown, n.offset, 0, shown);
      case NameKind::dummy:
        break;
    }
    return emit(dummy, n.offset, 0, shown);
  }

  Value number(float value, int offset) {
    emit(Op::push, offset);
    if (count < kMaxProgramLength) std::memcpy(&code[count], &value, sizeof value);
    ++count;
    return 0;
  }
  Value load(const NameToken& n) {
    return name(n, Op::load_input, Op::load_output, Op::load_unknown, Op::load_dummy);
  }
  Value assign(const NameToken& n, Value) {
    return name(n, Op::store_input, Op::store_output, Op::store_unknown, Op::store_dummy);
  }
  Value negate(Value, int offset) { return emit(Op::negate, offset); }
  Value binary(Token op, Value, Value, int offset) { return emit(binary_op(op), offset); }
  Value close_expected(Value, int offset) { return emit(Op::close_expected, offset); }
  Value primary_expected(int offset) { return emit(Op::primary_expected, offset); }
  void bad_character(int offset) { emit(Op::bad_character, offset); }
};

}  // namespace

bool compile_expression(const char* text, const RuleSet* rule, InstructionPool& pool,
                        Program& program) {
  if (pool.capacity - pool.used < static_cast<uint32_t>(kMaxProgramLength)) return false;
  char copy[kExpressionSize];
  std::strncpy(copy, text, sizeof copy - 1);
  copy[sizeof copy - 1] = '\0';

  Compilation c{pool.items + pool.used, 0, rule};
  Parser<Compilation> parser{{}, c};
  const bool stores = parse_text(parser, copy, [](int) {});
  program.first = pool.used;
  program.count = static_cast<uint8_t>(c.count < kMaxProgramLength ? c.count : kMaxProgramLength);
  program.stores = stores;
  program.stop_offset = static_cast<uint8_t>(parser.lex.offset);
  program.stopped_at_end = parser.lex.token == kEnd;
  pool.used += program.count;
  return true;
}
