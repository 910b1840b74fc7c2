// The generators on open circuit (no stator current, speed 1, the q axis at rest):
// genrou, gensal, gentpf and gentpj, their field voltage Efd the input and the terminal
// voltage Vt the output; and the saturation function of their records' pair S(1.0),
// S(1.2). Only the d axis enters: tpdo tppdo ld lpd lppd ll s1 s12.
#pragma once
#include "dynamics/record_values.h"

// S(psi) from S(1.0) = s1 and S(1.2) = s12, the quadratic form:
// S(psi) = B (psi - A)^2 / psi above A, 0 below.
struct Saturation {
  bool present;  // s1 > 0
  double a;
  double b;
  double of(double psi) const {
    if (!present || !(psi > a)) return 0.0;
    return b * (psi - a) * (psi - a) / psi;
  }
};
// Fits the pair; false, with the verdict, for a pair the form cannot fit (it needs
// 0 < s1 < 1.2 s12; s1 = 0 is no saturation).
bool fit_saturation(double s1, double s12, Saturation& saturation, Verdict& verdict);

enum class MachineKind : unsigned char { genrou, gensal, gentpj };  // gentpf: as gentpj

struct Machine {
  static constexpr int kStates = 2;  // E'q, and psi_kd (genrou, gensal) or psi''d (gentp*)
  MachineKind kind;
  double tpdo, tppdo, ld, lpd, lppd, ll;
  Saturation saturation;
  // Derived: the flux shares of genrou and gensal, K1d, and gentp*'s current factor.
  double share_eq, share_kd, k1d, current;
  double field_rate, damper_rate;  // 1/tpdo, 1/tppdo
  void prepare();
  double terminal_voltage(const double* x) const;
  double field_current(const double* x) const;
  void derivatives(const double* x, double efd, double* dx) const;
  void limit(double*) const {}
  double output(const double* x, double) const { return terminal_voltage(x); }
  // The start at Vt0 (the states) and the field voltage that holds it there.
  double start(double vt0, double* x) const;
};

// Reads the generator of a record (genrou, gensal, gentpf, gentpj); false with the verdict
// when its values cannot make one.
bool make_machine(const RecordValues& record, Machine& machine, Verdict& verdict, Notes& notes);
