// The evaluator's messages, written the same way by the text evaluator and by compiled
// expressions, at the same moments.
#pragma once

// Writes "error <message>" to the console; yields the number of characters written.
int expression_error(const char* message);

// "Unknown name [name] for [from-model] index" for the current RuleSet; `length`
// characters of `name` are shown.
void unknown_name_message(const char* name, int length);
