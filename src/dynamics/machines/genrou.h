// genrou on open circuit: E'q and the damper flux psi_kd; the terminal voltage is the
// subtransient flux psi''d, whose own saturation adds to the field current.
#pragma once
#include "dynamics/machines/damper_machine.h"

struct Genrou : DamperMachine<Genrou> {
  static constexpr const char* kModels[] = {"genrou"};
  static constexpr SaturationForm kForm = SaturationForm::scaled_quadratic;
  double field_current(const double* x) const {
    const double flux = terminal_voltage(x);
    return x[0] + shares.k1d * (x[0] - x[1]) + d.saturation.of(flux) * flux;
  }
};
