// gensal on open circuit: genrou's equations, but saturation on E'q instead of the
// subtransient flux.
#pragma once
#include "dynamics/machines/damper_machine.h"

struct Gensal : DamperMachine<Gensal> {
  static constexpr const char* kModels[] = {"gensal"};
  static constexpr SaturationForm kForm = SaturationForm::scaled_quadratic;
  double field_current(const double* x) const {
    return x[0] + shares.k1d * (x[0] - x[1]) + d.saturation.of(x[0]) * x[0];
  }
};
