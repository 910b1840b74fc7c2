// ieeest from a record's values.
#include "dynamics/stabilizers/ieeest.h"

bool Ieeest::make(ParameterReader& read, Verdict& verdict, Notes&) {
  read_shared(read);
  t5 = read.value("t5");
  t6 = read.time_constant("t6");
  static constexpr const char* kNotch[] = {"a3", "a4", "a5", "a6"};
  for (int i = 2; i < 6; ++i) a[i] = read.value(kNotch[i - 2]);
  return usable(read, verdict);
}
