// The checks of one compiled expression: what its instructions show of syntax errors,
// names, assignments, readings and divisions, each at its token's column.
#pragma once
#include "expr/program.h"
#include "rulecheck/findings/findings.h"
#include "rules/rule_table.h"

enum class ExpressionRole { assignment, test, replacement };

struct ExpressionSite {
  const char* text;  // the expression
  SourcePoint at;    // its token in its rule file
  const RuleSet& rule;
  int output;  // the output parameter whose expression it is
  ExpressionRole role;
  const Instruction* pool;  // the program's instructions
  Findings& findings;       // where its findings go
};

// Reports the findings of `program` and marks in `assigned` (one flag per output
// parameter) the outputs it assigns; an output read while its flag is clear is read
// before its assignment in the record.
void check_expression(const Program& program, const ExpressionSite& site, bool* assigned);
