// The exciters on the fixed open-circuit test machine: exst1 and esst1a on one code path,
// sexs and ieeet1. Inputs: the terminal voltage Vt and field current Ifd of the machine,
// and the voltage reference; output: the field voltage Efd. The stabilizer input is 0.
#pragma once
#include "dynamics/blocks.h"
#include "dynamics/machines.h"
#include "dynamics/record_values.h"

enum class ExciterKind : unsigned char { st1, sexs, ieeet1 };

// The values of a record that the test does not use, where they are not 0.
struct ExciterExtras {
  int count;
  const char* names[8];
  double values[8];
};

struct Exciter {
  static constexpr int kStates = 5;
  ExciterKind kind;
  // st1 (exst1, esst1a)
  double tr, vimax, vimin, tc, tb, ka, ta, vrmax, vrmin, kc, kf, tf, tc1, tb1, vamax, vamin, ilr,
      klr;
  // sexs: tb, ka (k), te in ta's place below is not shared: its own
  double tatb, k, te, emin, emax;
  // ieeet1
  double ke, switch_value, e1, se1, e2, se2;
  double sat_a, sat_b;  // SE(E) E = B (E - A)^2 above A
  bool saturated;
  bool ke_computed;  // ke = 0 taken as the value that holds Vr at 0
  ExciterExtras extras;
  // Blocks, from the values.
  LeadLag lead1, lead2;
  LimitedLag regulator;
  Washout feedback;
  double transducer;  // 1/tr
  double field;       // 1/te
  double vref0;       // the reference that holds the start
  void prepare();
  double saturation_term(double efd) const;  // SE(Efd) Efd of ieeet1
  // Efd from the exciter's states s, Vt, Ifd and the reference.
  double efd(const double* s, double vt, double ifd, double vref) const;
  void derivatives(const double* s, double vt, double ifd, double vref, double* ds) const;
  void limit(double* s) const;
  // Starts at Vt0, Efd0, Ifd0: the states and vref0; false with the value and the limit.
  bool start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict);
};

// Reads the exciter of a record (exst1, esst1a, sexs, ieeet1); false with the verdict when
// its values cannot make one.
bool make_exciter(const RecordValues& record, Exciter& exciter, Verdict& verdict, Notes& notes);

// The machine every exciter is tested on: genrou's open-circuit equations with tpdo 6 s,
// tppdo 0.05 s, ld 1.8, lpd 0.3, lppd 0.25, ll 0.15 and no saturation.
Machine test_machine();

// The test: the machine and the exciter, the voltage reference the input.
struct ExciterTest {
  static constexpr int kStates = Machine::kStates + Exciter::kStates;
  Machine machine;
  Exciter exciter;
  struct Output {
    double efd;
    double vt;
  };
  void derivatives(const double* x, double vref, double* dx) const;
  void limit(double* x) const { exciter.limit(x + Machine::kStates); }
  Output output(const double* x, double vref) const;
};
