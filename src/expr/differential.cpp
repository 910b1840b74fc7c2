// Running an expression text both ways, read as it is evaluated and compiled, and
// telling whether they agree: the value, every message, every assignment (test library).
#include "expr/differential.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "expr/compiler.h"
#include "expr/text_evaluator.h"
#include "io/console.h"

namespace {

constexpr unsigned kUntouched = 0x7fc0dead;  // a NaN no evaluation yields

struct EvaluationTrace {
  bool stored;           // the target was written
  unsigned target_bits;  // the target's bits afterwards
  std::string messages;  // what was written to the console
  std::string values;    // the bytes of the RuleSet's values afterwards
};

std::string value_bytes(const RuleValues& v) {
  return std::string(reinterpret_cast<const char*>(&v), sizeof v);
}

// Evaluates `text` as RuleSet `index` from a copy of `start`: with the text evaluator
// when `compiled` is false, by compiling and running it otherwise.
EvaluationTrace trace_evaluation(const RuleSet& r, int index, const RuleValues& start,
                                 const char* text, bool compiled) {
  RuleValues values = start;
  const ProgramScope scope{r, index, values};

  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* captured = open_memstream(&buffer, &size);
  std::FILE* previous = set_console(captured);

  float target;
  std::memcpy(&target, &kUntouched, sizeof target);
  if (compiled) {
    Instruction code[kMaxProgramLength];
    InstructionPool pool{code, kMaxProgramLength, 0};
    Program program;
    compile_expression(text, &r, pool, program);
    run_program(program, code, text, scope, &target);
  } else {
    evaluate_text(text, scope, &target);
  }

  set_console(previous);
  std::fclose(captured);
  EvaluationTrace t;
  std::memcpy(&t.target_bits, &target, sizeof target);
  t.stored = t.target_bits != kUntouched;
  t.messages.assign(buffer, size);
  std::free(buffer);
  t.values = value_bytes(values);
  return t;
}

}  // namespace

std::string compare_evaluations(const RuleSet& rule, int index, const RuleValues& values,
                                const char* text) {
  const EvaluationTrace a = trace_evaluation(rule, index, values, text, false);
  const EvaluationTrace b = trace_evaluation(rule, index, values, text, true);
  std::string diff;
  if (a.stored != b.stored || a.target_bits != b.target_bits) {
    char line[96];
    std::snprintf(line, sizeof line, "value %08x / %08x ", a.target_bits, b.target_bits);
    diff += line;
  }
  if (a.messages != b.messages) diff += "messages [" + a.messages + "] / [" + b.messages + "] ";
  if (a.values != b.values) diff += "assignments differ ";
  return diff;
}
