// pss2a, the dual-input stabilizer IEEE PSS2A: two washout paths, the ramp-tracking
// filter, two lead-lags and gain. The extra block of a, ta, tb (form not confirmed) is
// left out; ks4's role is not confirmed either.
#pragma once
#include "dynamics/stabilizers/transfer.h"

struct Pss2a {
  static constexpr const char* kModels[] = {"pss2a"};
  double input_code, second_code;  // j1, j2
  double tw1, tw2, tw3, tw4, t6, t7, ks1, ks2, ks3, ks4, t8, t9, n, m, t1, t2, t3, t4;
  double extra_a, ta, tb;

  bool make(ParameterReader& read, Verdict& verdict, Notes& notes);
  Complex response(Complex s, bool second) const {
    using namespace transfer;
    const Complex w1 = high_pass(s, tw1) * high_pass(s, tw2) * lag(s, 1.0, t6);
    const Complex w2 = high_pass(s, tw3) * high_pass(s, tw4) * lag(s, ks2, t7);
    Complex rtf{1.0, 0.0};
    if (n * m != 0)
      rtf = power((1.0 + t8 * s) / power(1.0 + t9 * s, static_cast<int>(m)), static_cast<int>(n));
    const Complex v = second ? ks3 * (rtf * w2) - w2 : rtf * w1;
    return ks1 * v * lead_lag(s, t1, t2) * lead_lag(s, t3, t4);
  }
};
