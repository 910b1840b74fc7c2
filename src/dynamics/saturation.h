// Saturation curves fitted through a record's two points: a generator's S(psi) from
// S(1.0) = s1 and S(1.2) = s12, and an exciter's SE(E) E from (e1, se1) and (e2, se2).
#pragma once
#include "dynamics/verdict.h"

// The forms of a generator's saturation S(psi), each through S(1.0) = s1 and S(1.2) = s12:
//   scaled quadratic  B (psi - A)^2 / psi above A, 0 below (needs 0 < s1 < 1.2 s12)
//   quadratic         B (psi - A)^2 above A, 0 below (needs 0 < s1 < s12)
//   exponential       s1 psi^n, n = ln(s12/s1) / ln 1.2, no knee (needs 0 < s1 < s12)
enum class SaturationForm : unsigned char { scaled_quadratic, quadratic, exponential };
const char* form_name(SaturationForm form);  // "scaled quadratic", ...

struct Saturation {
  bool present;  // s1 > 0
  SaturationForm form;
  double a;  // the knee A, or the exponent n
  double b;  // B, or s1
  double of(double psi) const;
};
// Fits the pair in the given form; false, with the verdict, for a pair the form cannot fit.
// s1 = 0 is no saturation.
bool fit_saturation(double s1, double s12, Saturation& saturation, Verdict& verdict,
                    SaturationForm form = SaturationForm::scaled_quadratic);

// SE(E) E = B (E - A)^2 above A, 0 below: the quadratic form of a dc exciter.
struct ExciterSaturation {
  bool present;  // se1 and se2 both nonzero
  double a;
  double b;
  double term(double e) const {
    if (!present || !(e > a)) return 0.0;
    return b * (e - a) * (e - a);
  }
};
// Fits the two points; false, with the verdict, where no curve of the form passes
// through them. se1 = 0 or se2 = 0 is no saturation.
bool fit_exciter_saturation(double e1, double se1, double e2, double se2,
                            ExciterSaturation& saturation, Verdict& verdict);
