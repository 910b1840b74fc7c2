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

// Compiles `text` (its first 63 characters, as the evaluator reads them) for RuleSet
// `rule`, whose names are resolved now, into the pool. Writes no message: the messages
// become instructions. False, with the pool unchanged, when the pool is full.
bool compile_expression(const char* text, int rule, InstructionPool& pool, Program& program);
