// genroe and gensae on open circuit: genrou's equations with the exponential saturation
// S(psi) = s1 psi^n of the subtransient flux. gensae saturates on that flux too (not on
// E'q as gensal does), so with the q axis at rest the two are one model.
#pragma once
#include "dynamics/machines/damper_machine.h"

struct Genroe : DamperMachine<Genroe> {
  static constexpr const char* kModels[] = {"genroe", "gensae"};
  static constexpr SaturationForm kForm = SaturationForm::exponential;
  double field_current(const double* x) const {
    const double flux = terminal_voltage(x);
    return x[0] + shares.k1d * (x[0] - x[1]) + d.saturation.of(flux) * flux;
  }
};
