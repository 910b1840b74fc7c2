// The values of a record that its simulation does not run (deadbands, valve curves,
// gast's extras, sexs's unconfirmed tail): kept where they differ from their neutral
// value, so that OLD and NEW can be told apart by what they leave out.
#pragma once
#include <cstddef>

#include "dynamics/record_values.h"

constexpr int kMaxExtras = 24;
struct Extras {
  int count;
  const char* names[kMaxExtras];
  double values[kMaxExtras];
};

// Keeps the parameter `name` when its value is not `neutral` (while there is room).
void add_extra(Extras& extras, ParameterReader& read, const char* name, double neutral);

// The deadbands and the valve curve of a governor (db1, eps, db2, gv1, pgv1 ... gv6,
// pgv6), neutral at 0.
void add_deadbands_and_curve(Extras& extras, ParameterReader& read);

// True when both hold the same names with the same values.
bool same_extras(const Extras& a, const Extras& b);

// "name = value, ..." into `out`, cut to its room.
void describe_extras(const Extras& extras, char* out, std::size_t size);
