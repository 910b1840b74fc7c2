// What ieeest and pss1a share: one input signal, a gain, two lead-lags and a filter whose
// first two coefficients are a1 and a2, read alike from their records.
#pragma once
#include "dynamics/stabilizers/transfer.h"

struct SingleInput {
  double input_code, second_code;
  double ks, t1, t2, t3, t4, t5, t6;
  double a[6];  // a1 ... a6 (pss1a has a1 and a2)

  // Reads j, ks, t1 ... t4, a1 and a2.
  void read_shared(ParameterReader& read);
  // The input code checked, and no value that stopped the model.
  bool usable(ParameterReader& read, Verdict& verdict) const {
    return valid_code(input_code, verdict) && valid_code(second_code, verdict) && !read.failed();
  }
};
