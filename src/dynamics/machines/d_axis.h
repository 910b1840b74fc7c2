// What every generator model shares on open circuit (no stator current, speed 1, the q
// axis at rest): the d-axis values of its record, the only ones that enter, and its
// saturation.
//
// A generator model M is a struct with:
//   kModels, kStates    the catalogue's names it simulates, the size of its state (E'q and
//                       a damper or subtransient flux)
//   make(read, verdict, notes)  its values from a record (false: it cannot run)
//   start(vt0, x)       the states at Vt0, and the field voltage Efd0 that holds them
//   terminal_voltage(x), field_current(x)
//   derivatives(x, efd, dx), limit(x), output(x, efd)  for the integrator; the output is Vt
#pragma once
#include "dynamics/record_values.h"
#include "dynamics/saturation.h"

struct DAxis {
  double tpdo, tppdo, ld, lpd, lppd, ll;
  Saturation saturation;
  double field_rate, damper_rate;  // 1/tpdo, 1/tppdo
};

// Reads tpdo tppdo ld lpd lppd ll s1 s12 of a record, its saturation in the given form;
// false, with the verdict, where they cannot make a machine. `divided` names the reactance
// whose difference from lpd the model divides by ("ll" or "lppd"). With `either_zero`,
// s12 = 0 is no saturation as s1 = 0 is.
bool read_d_axis(ParameterReader& read, DAxis& d, const char* divided, Verdict& verdict,
                 SaturationForm form = SaturationForm::scaled_quadratic, bool either_zero = false);

// What a machine record holds that the open-circuit test cannot see but a conversion can
// lose: gentpj's kis (its saturation's current factor), genqec's kw (the field current's
// compensation). A model without the slot has nothing there.
struct UnseenMachine {
  bool kis_slot = false;
  double kis = 0;
  bool kw_slot = false;
  double kw = 0;
  bool odd_flag = false;  // a saturation flag outside its codes, taken as one reader takes it
  double flag = 0;
};

// The flux shares of a machine with a damper winding: psi''d = a E'q + b psi_kd, and its
// K1d = (lpd - lppd)(ld - lpd)/(lpd - ll)^2.
struct DamperShares {
  double a, b, k1d;
};
DamperShares damper_shares(const DAxis& d);
