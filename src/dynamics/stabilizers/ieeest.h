// ieeest, the IEEE stabilizer: washout-derivative, notch filter, two lead-lags and gain
// (18 values, its layout not confirmed).
#pragma once
#include "dynamics/stabilizers/single_input.h"

struct Ieeest : SingleInput {
  static constexpr const char* kModels[] = {"ieeest"};

  bool make(ParameterReader& read, Verdict& verdict, Notes& notes);
  // ks s t5/(1 + s t6) N(s) LL(t1, t2) LL(t3, t4), N the notch filter of a1 ... a6.
  Complex response(Complex s, bool second) const {
    using namespace transfer;
    if (second || t5 == 0) return Complex{};  // the washout-derivative gives nothing
    const Complex filter =
        quadratic(s, a[4], a[5]) / (quadratic(s, a[0], a[1]) * quadratic(s, a[2], a[3]));
    return (ks * t5) * s / (1.0 + t6 * s) * filter * lead_lag(s, t1, t2) * lead_lag(s, t3, t4);
  }
};
