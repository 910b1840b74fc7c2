// The evaluator's run-time messages, written the same way by compiled expressions and
// by the text evaluator, at the same moments.
#include "expr/messages.h"

#include "io/console.h"

int expression_error(const char* message) { return console_printf("error %s\n", message); }

// "Unknown name [%s] for [%s] %3d\n": the name is shown by its length, as the name
// token holds it, whether it comes from a name text or from an expression text.
void unknown_name_message(const char* name, int length, const RuleSet& rule, int rule_index) {
  console_printf("Unknown name [%.*s] for [%s] %3d\n", length, name, rule.from_model, rule_index);
}

void divide_by_zero_message() { console_printf("divide by zero\n"); }
