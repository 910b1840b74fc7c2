// The rule expression language: a recursive-descent calculator over single-precision
// values whose variables are the "@" inputs and "$" outputs of the current RuleSet.
#pragma once

// What an unresolvable name and a division by zero yield.
constexpr float kDummyValue = -99999.0f;

// Evaluates one expression of `text` (at most 63 characters are read, as a RuleSet
// stores them) and stores its value into *target. An empty text, or one whose first
// token is the end (";", a bad character), leaves *target untouched.
void evaluate_text(const char* text, float* target);

// The value a name stands for within RuleSet current_rule, or the dummy value
// (-99999) with a message for an unknown "@"/"$" name, silently for any other name.
float* find_parameter(const char* name);

// Writes "error <message>" to standard error; yields the number of characters written.
int expression_error(const char* message);
