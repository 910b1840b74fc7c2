// The evaluator's messages, written the same way by the text evaluator and by compiled
// expressions, at the same moments.
#include "expr/messages.h"

#include "io/console.h"
#include "rules/rule_table.h"

int expression_error(const char* message) { return console_printf("error %s\n", message); }

// "Unknown name [%s] for [%s] %3d\n": the name is shown by its length, as the name
// token holds it, whether it comes from a name text or from an expression text.
void unknown_name_message(const char* name, int length) {
  const int index = rule_table.current_rule;
  console_printf("Unknown name [%.*s] for [%s] %3d\n", length, name,
                 rule_table.rule_sets[index].from_model, index);
}
