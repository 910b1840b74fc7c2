// ieeest from a record's values.
#include "dynamics/stabilizers/ieeest.h"

bool Ieeest::make(ParameterReader& read, Verdict& verdict, Notes&) {
  input_code = read.value("j");
  second_code = 0;
  ks = read.value("ks");
  t1 = read.value("t1");
  t2 = read.time_constant("t2");
  t3 = read.value("t3");
  t4 = read.time_constant("t4");
  a[0] = read.value("a1");
  a[1] = read.value("a2");
  t5 = read.value("t5");
  t6 = read.time_constant("t6");
  static constexpr const char* kNotch[] = {"a3", "a4", "a5", "a6"};
  for (int i = 2; i < 6; ++i) a[i] = read.value(kNotch[i - 2]);
  return valid_code(input_code, verdict) && valid_code(second_code, verdict) && !read.failed();
}
