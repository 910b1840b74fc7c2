// What the compound-source and ac exciters share on open circuit: the bus-fed source and
// its rectifier regulation, and the rotating ac exciter with its diode bridge.
#pragma once
#include <algorithm>
#include <cmath>

#include "dynamics/blocks.h"
#include "dynamics/saturation.h"

// The rectifier regulation FEX of the loading factor IN = kc Ifd / VE.
inline double rectifier(double in) {
  if (in <= 0) return 1.0;
  if (in <= 0.433) return 1.0 - 0.577 * in;
  if (in < 0.75) return std::sqrt(0.75 - in * in);
  if (in <= 1.0) return 1.732 * (1.0 - in);
  return 0.0;
}

// The bus-fed source of the static exciters: VE = |KP Vt + j (ki + KP xl) It| is kp Vt on
// open circuit (It = 0: the angle, ki and xl drop out), VB = min(VE FEX(kc Ifd / VE),
// vbmax).
struct BusSource {
  double kp = 0;
  double kc = 0;
  double vbmax = 0;
  double vb(double vt, double ifd) const {
    const double ve = kp * vt;
    if (!(ve > 0)) return 0.0;
    return std::min(ve * rectifier(kc * ifd / ve), vbmax);
  }
};

// The values of a bus-fed source that the open-circuit test cannot see: told where OLD
// and NEW differ in them.
struct UnseenSource {
  bool present = false;
  double angle = 0;  // angp, thetap (degrees)
  double ki = 0;
  double xl = 0;
};

// The rotating ac exciter: te VE' = VR - VFE, VFE = ke VE + SE(VE) VE + kd Ifd, VE held
// at 0 from below (the diode bridge cannot reverse: a choice), Efd = VE FEX(kc Ifd / VE).
struct AcExciter {
  double ke = 0;
  double kd = 0;
  double kc = 0;
  double rate = 0;  // 1/te
  ExciterSaturation saturation{};
  double vfe(double ve, double ifd) const { return ke * ve + saturation.term(ve) + kd * ifd; }
  double derivative(double ve, double vr, double ifd) const {
    const double f = (vr - vfe(ve, ifd)) * rate;
    return ve <= 0 && f < 0 ? 0.0 : f;
  }
  double limit(double ve) const { return std::max(ve, 0.0); }
  double efd(double ve, double ifd) const { return ve > 0 ? ve * rectifier(kc * ifd / ve) : 0.0; }
  // The VE that gives efd0 at ifd0 (efd grows with VE), by halving; 0 for efd0 <= 0.
  double ve_for(double efd0, double ifd0) const;
};
