// What the stabilizers share beyond their transfer functions: their input codes.
#include "dynamics/stabilizers/transfer.h"

#include <cmath>

bool valid_code(double code, Verdict& verdict) {
  if (!(code == std::floor(code) && std::fabs(code) < 1e6))
    return fail(verdict, Problem::invalid_data, "input code %g is no signal's code", code);
  return true;
}
