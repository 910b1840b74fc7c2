// Reading what ieeest and pss1a share.
#include "dynamics/stabilizers/single_input.h"

void SingleInput::read_shared(ParameterReader& read) {
  input_code = read.value("j");
  second_code = 0;
  ks = read.value("ks");
  t1 = read.value("t1");
  t2 = read.time_constant("t2");
  t3 = read.value("t3");
  t4 = read.time_constant("t4");
  a[0] = read.value("a1");
  a[1] = read.value("a2");
}
