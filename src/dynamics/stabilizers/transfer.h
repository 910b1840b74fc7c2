// The pieces the stabilizers' transfer functions are made of, at s = j 2 pi f.
//
// A stabilizer model M is a struct with:
//   kModels             the catalogue's names it simulates
//   make(read, verdict, notes)  its values from a record (false: it cannot be compared)
//   input_code, second_code     the codes of its input signals (second 0 where it has one)
//   response(s, second)  its gain from the first input (second: from the second, the first
//                       at 0), limits and the voltage cutoff left out
#pragma once
#include "dynamics/complex_math.h"
#include "dynamics/record_values.h"

namespace transfer {

// (1 + s tn)/(1 + s td)
inline Complex lead_lag(Complex s, double tn, double td) { return (1.0 + tn * s) / (1.0 + td * s); }
// s t/(1 + s t): the washout, bypassed (1) with t = 0.
inline Complex high_pass(Complex s, double t) {
  return t > 0 ? t * s / (1.0 + t * s) : Complex{1.0, 0.0};
}
// k/(1 + s t)
inline Complex lag(Complex s, double k, double t) { return Complex{k, 0.0} / (1.0 + t * s); }
// 1 + c1 s + c2 s^2
inline Complex quadratic(Complex s, double c1, double c2) { return 1.0 + (c1 * s + c2 * (s * s)); }

}  // namespace transfer

// An input signal's code is a whole number: false, with the verdict, where it is not.
bool valid_code(double code, Verdict& verdict);
