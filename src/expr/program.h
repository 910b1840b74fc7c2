// Compiled expressions: the instructions of an expression, in the order in which the
// text evaluator does its work, and the machine that runs them.
#pragma once
#include <cstdint>

enum class Op : uint8_t {
  push,              // a number
  load_input,        // the value of input `slot`
  load_output,       // the value of output `slot`
  load_unknown,      // an "@" or "$" name the RuleSet lacks: its message, then -99999
  load_dummy,        // a name beginning with a letter: -99999, silently
  store_input,       // an assignment; the value stays on the stack
  store_output,
  store_unknown,     // its message; the value is lost
  store_dummy,
  negate,
  binary,            // the operator token in `slot`
  close_expected,    // replaces the value of the parentheses by the message's length
  primary_expected,  // pushes the message's length
  bad_character,     // the message; the token stream ended here
};

struct Instruction {
  Op op;
  uint8_t offset;  // of its token in the expression text
  uint8_t slot;    // parameter index, or the operator token
  uint8_t length;  // of a name as shown in its message (at most 31 characters)
  float number;    // of a push
};

// At most one instruction per token and one for every call of primary, which follows
// the reading of a token: 2 * 63 + 2 for a text of 63 characters.
constexpr int kMaxProgramLength = 128;

struct Program {
  const char* text;     // the expression it was compiled from
  uint32_t first;       // its first instruction in the pool
  uint8_t count;
  uint8_t stop_offset;  // the first token the expression did not use
  bool stores;          // false: the text begins with the end; the target is left alone
  bool stopped_at_end;  // the expression used the whole text (up to a ";" or its end)
};

// Runs a program compiled for RuleSet current_rule, writing its messages as the text
// evaluator writes them, and stores its value into *target as evaluate_text does.
void run_program(const Program& program, const Instruction* pool, float* target);
