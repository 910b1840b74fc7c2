// The checks of one compiled expression: what its instructions show of syntax errors,
// names, assignments, readings and divisions, each at its token's column.
#pragma once
#include "expr/program.h"
#include "rulecheck/findings.h"

enum class ExpressionRole { assignment, test, replacement };

struct ExpressionSite {
  const char* text;  // the expression
  SourcePoint at;    // its token in its rule file
  int rule;          // the RuleSet it belongs to
  int output;        // the output parameter whose expression it is
  ExpressionRole role;
};

// Reports the findings of `program` and marks in `assigned` (one flag per output
// parameter) the outputs it assigns; an output read while its flag is clear is read
// before its assignment in the record.
void check_expression(const Program& program, const ExpressionSite& site, bool* assigned);
