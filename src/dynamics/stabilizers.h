// The stabilizers, compared by their linear transfer functions from the speed input to
// the output (limits and voltage cutoff left out): ieeest, pss1a and pss2a.
#pragma once

#include "dynamics/complex_math.h"
#include "dynamics/record_values.h"

enum class StabilizerKind : unsigned char { ieeest, pss1a, pss2a };

struct Stabilizer {
  StabilizerKind kind;
  double input_code;   // j, or j1 of pss2a: the signal's code
  double second_code;  // j2 of pss2a, 0 for the others
  // ieeest: ks t1..t6 a1..a6; pss1a: ks t1..t6 a1 a2; pss2a: its own below.
  double ks, t1, t2, t3, t4, t5, t6;
  double a[6];
  // pss2a
  double tw1, tw2, tw3, tw4, t7, ks1, ks2, ks3, ks4, t8, t9, n, m, extra_a, ta, tb;
};

// Reads the stabilizer of a record (ieeest, pss1a or pss2a); false with the verdict when
// its values cannot make one. Parts the comparison leaves out go into the notes.
bool make_stabilizer(const RecordValues& record, Stabilizer& stabilizer, Verdict& verdict,
                     Notes& notes);

// G(j 2 pi f) from the stabilizer's first input (for pss2a: `second` picks its second
// input, the first at 0).
Complex stabilizer_response(const Stabilizer& stabilizer, double f_hz, bool second = false);

// The frequencies of the stabilizer test.
constexpr double kStabilizerFrequencies[] = {0.1, 0.2, 0.3, 0.5, 0.7, 1.0, 1.5, 2.0, 3.0};
constexpr int kFrequencyCount = 9;
