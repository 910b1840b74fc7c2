// What a name of an expression stands for in a RuleSet: the one name lookup, used by
// the compiler and the text evaluator alike.
#pragma once
#include "rules/rule_table.h"

enum class NameKind {
  input,    // "@" name of an input parameter: its slot
  output,   // "$" name of an output parameter: its slot
  unknown,  // "@" or "$" name the RuleSet lacks: a message, then the dummy value
  dummy,    // a name that begins with a letter: the dummy value, silently
};
struct NameRef {
  NameKind kind;
  int slot;
};
// Whole names, compared exactly, in index order: the first equal entry counts. With no
// RuleSet (nullptr) every name is a dummy.
NameRef resolve_name(const RuleSet* rule, const char* name);
