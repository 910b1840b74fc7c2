// What rulecheck tells of the model catalogue: the list of models, one model in full,
// and a rule skeleton from one model to another.
#pragma once
#include <cstdio>

// A line per model: name, kind, count, whether its order is confirmed, its names.
void list_models(std::FILE* out);

// One model with its typical values and notes. False, after a message on the console,
// when the catalogue has no such model.
bool show_model(std::FILE* out, const char* name);

// A rule file from `from` to `to`: inputs in the from-model's record order with their
// typical values, outputs in the to-model's order, "$name=@name" where the from-model has
// the name and "$name=0" under a comment asking for the mapping otherwise. False, after
// a message on the console, when a model is not in the catalogue or has no known names.
bool write_skeleton(std::FILE* out, const char* from, const char* to);
