// pss1a, the single-input stabilizer IEEE PSS1A: transducer t6, washout t5, filter,
// two lead-lags and gain. Its second input (k) is left out.
#pragma once
#include "dynamics/stabilizers/single_input.h"

struct Pss1a : SingleInput {
  static constexpr const char* kModels[] = {"pss1a"};

  bool make(ParameterReader& read, Verdict& verdict, Notes& notes);
  // ks/(1 + s t6) s t5/(1 + s t5) 1/(1 + a1 s + a2 s^2) LL(t1, t2) LL(t3, t4).
  Complex response(Complex s, bool second) const {
    using namespace transfer;
    if (second) return Complex{};
    return ks * lag(s, 1.0, t6) * high_pass(s, t5) / quadratic(s, a[0], a[1]) *
           lead_lag(s, t1, t2) * lead_lag(s, t3, t4);
  }
};
