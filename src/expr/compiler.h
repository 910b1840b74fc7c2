// Compiling an expression text, once, into the instructions that run it.
#pragma once
#include <cstdint>

#include "expr/program.h"

// Instructions of many programs, one after the other.
struct InstructionPool {
  Instruction* items;
  uint32_t capacity;
  uint32_t used;
};

// Compiles `text` (its first 63 characters, as the evaluator reads them) for `rule`,
// whose names are resolved now (nullptr: every name is a dummy), into the pool. Writes
// no message: the messages become instructions. False, with the pool unchanged, when
// the pool is full.
bool compile_expression(const char* text, const RuleSet* rule, InstructionPool& pool,
                        Program& program);
