// The values of a record that its simulation does not run, and how two records differ in
// them.
#include "dynamics/extras.h"

#include <cstdio>
#include <cstring>

void add_extra(Extras& extras, ParameterReader& read, const char* name, double neutral) {
  const double v = read.value(name);
  if (v == neutral || extras.count == kMaxExtras) return;
  extras.names[extras.count] = name;
  extras.values[extras.count++] = v;
}

void add_deadbands_and_curve(Extras& extras, ParameterReader& read) {
  static constexpr const char* kNames[] = {"db1",  "eps",  "db2",  "gv1",  "pgv1",
                                           "gv2",  "pgv2", "gv3",  "pgv3", "gv4",
                                           "pgv4", "gv5",  "pgv5", "gv6",  "pgv6"};
  for (const char* name : kNames) add_extra(extras, read, name, 0.0);
}

bool same_extras(const Extras& a, const Extras& b) {
  if (a.count != b.count) return false;
  for (int i = 0; i < a.count; ++i) {
    if (std::strcmp(a.names[i], b.names[i]) != 0 || a.values[i] != b.values[i]) return false;
  }
  return true;
}

void describe_extras(const Extras& extras, char* out, std::size_t size) {
  if (size == 0) return;
  out[0] = '\0';
  std::size_t used = 0;
  for (int i = 0; i < extras.count && used + 16 < size; ++i) {
    used += static_cast<std::size_t>(std::snprintf(out + used, size - used, "%s%s = %g",
                                                   i ? ", " : "", extras.names[i],
                                                   extras.values[i]));
  }
}
