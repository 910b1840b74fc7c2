// pss1a from a record's values.
#include "dynamics/stabilizers/pss1a.h"

bool Pss1a::make(ParameterReader& read, Verdict& verdict, Notes& notes) {
  input_code = read.value("j");
  second_code = 0;
  ks = read.value("ks");
  t1 = read.value("t1");
  t2 = read.time_constant("t2");
  t3 = read.value("t3");
  t4 = read.time_constant("t4");
  a[0] = read.value("a1");
  a[1] = read.value("a2");
  t5 = read.time_constant("t5");
  t6 = read.time_constant("t6");
  if (read.value("k") != 0) note(notes, "k = %g: the second input is left out", read.value("k"));
  return valid_code(input_code, verdict) && valid_code(second_code, verdict) && !read.failed();
}
