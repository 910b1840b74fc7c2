// Compiled expressions: the instructions of an expression, in the order in which the
// text evaluator does its work, and the machine that runs them.
#pragma once
#include <cstdint>

#include "expr/lexer.h"
#include "rules/rule_table.h"

enum class Op : uint8_t {
  push,          // a number: its float is the next slot of the program
  load_input,    // the value of input `slot`
  load_output,   // the value of output `slot`
  load_unknown,  // an "@" or "$" name the RuleSet lacks: its message, then -99999
  load_dummy,    // a name beginning with a letter: -99999, silently
  store_input,   // an assignment; the value stays on the stack
  store_output,
  store_unknown,  // its message; the value is lost
  store_dummy,
  negate,
  // The binary operators on the two top values, in the order of their tokens.
  add,
  subtract,
  multiply,
  divide,
  power,
  less,
  greater,
  less_equal,
  greater_equal,
  equal,
  not_equal,
  close_expected,    // replaces the value of the parentheses by the message's length
  primary_expected,  // pushes the message's length
  bad_character,     // the message; the token stream ended here
};

// One slot of a program: an instruction, or the float of the push before it.
struct Instruction {
  Op op;
  uint8_t offset;  // of its token in the expression text
  uint8_t slot;    // parameter index
  uint8_t length;  // of a name as shown in its message (at most 31 characters)
};
static_assert(sizeof(Instruction) == sizeof(float));

// The instruction of a binary operator token, and back.
constexpr bool is_binary(Op op) { return op >= Op::add && op <= Op::not_equal; }
constexpr Op binary_op(Token token) {
  return static_cast<Op>(static_cast<int>(Op::add) + (token - kPlus));
}
constexpr Token binary_token(Op op) {
  return static_cast<Token>(kPlus + (static_cast<int>(op) - static_cast<int>(Op::add)));
}
static_assert(binary_token(Op::not_equal) == kNotEqual);
// The slots an instruction takes: a push carries its number in the next one.
inline int slots_of(const Instruction& in) { return in.op == Op::push ? 2 : 1; }
float pushed_number(const Instruction* push);

// At most one instruction per token, and one for every call of primary, which follows
// the reading of a token: 127 for a text of 63 characters, and a slot more for each of
// at most 63 numbers.
constexpr int kMaxProgramLength = 192;

struct Program {
  uint32_t first;       // its first slot in the pool
  uint8_t count;        // its slots
  uint8_t stop_offset;  // the first token the expression did not use
  bool stores;          // false: the text begins with the end; the target is left alone
  bool stopped_at_end;  // the expression used the whole text (up to a ";" or its end)
};

// Where a program runs: the RuleSet it was compiled for (RuleSet `index` of its table,
// as its messages name them) and the working values it reads and assigns.
struct ProgramScope {
  const RuleSet& rule;
  int index;
  RuleValues& values;
};

// Runs a program compiled from `text` in `scope`: reads and assigns the values, writes
// its messages as the text evaluator writes them, and stores its value into *target as
// the text evaluator does.
void run_program(const Program& program, const Instruction* pool, const char* text,
                 const ProgramScope& scope, float* target);
