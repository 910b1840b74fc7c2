// pss2a from a record's values.
#include "dynamics/stabilizers/pss2a.h"

#include <cmath>

bool Pss2a::make(ParameterReader& read, Verdict& verdict, Notes& notes) {
  input_code = read.value("j1");
  second_code = read.value("j2");
  tw1 = read.time_constant("tw1");
  tw2 = read.time_constant("tw2");
  tw3 = read.time_constant("tw3");
  tw4 = read.time_constant("tw4");
  t6 = read.time_constant("t6");
  t7 = read.time_constant("t7");
  ks2 = read.value("ks2");
  ks3 = read.value("ks3");
  ks4 = read.value("ks4");
  t8 = read.value("t8");
  t9 = read.time_constant("t9");
  n = read.value("n");
  m = read.value("m");
  ks1 = read.value("ks1");
  t1 = read.value("t1");
  t2 = read.time_constant("t2");
  t3 = read.value("t3");
  t4 = read.time_constant("t4");
  extra_a = read.value("a");
  ta = read.value("ta");
  tb = read.value("tb");
  if (!(extra_a == 1 && ta == 0 && tb == 0))
    note(notes,
         "a = %g, ta = %g, tb = %g: the extra block, whose form is not confirmed, is "
         "left out",
         extra_a, ta, tb);
  if (n * m != 0 &&
      !(n == std::floor(n) && m == std::floor(m) && n > 0 && m > 0 && n * m <= 64))
    return fail(verdict, Problem::invalid_data,
                "n = %g, m = %g: the ramp-tracking filter needs small whole numbers", n, m);
  return valid_code(input_code, verdict) && valid_code(second_code, verdict) && !read.failed();
}
