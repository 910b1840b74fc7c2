// The gate curve of a hydro unit from its record's points.
#include "dynamics/governors/gate_curve.h"

namespace {

// The piece of the curve that holds u (between points k and k + 1).
int piece_of(const double* xs, int count, double u) {
  int k = 0;
  while (k + 2 < count && u > xs[k + 1]) ++k;
  return k;
}

}  // namespace

double GateCurve::of(double g) const {
  const double u = g / scale;
  const int k = piece_of(x, count, u);
  return scale * (y[k] + (y[k + 1] - y[k]) * (u - x[k]) / (x[k + 1] - x[k]));
}

double GateCurve::inverse(double v) const {
  const double u = v / scale;
  const int k = piece_of(y, count, u);
  return scale * (x[k] + (x[k + 1] - x[k]) * (u - y[k]) / (y[k + 1] - y[k]));
}

double GateCurve::slope(double g) const {
  const int k = piece_of(x, count, g / scale);
  return (y[k + 1] - y[k]) / (x[k + 1] - x[k]);
}

bool read_gate_curve(ParameterReader& read, double gate_limit, GateCurve& c, Verdict& verdict) {
  static constexpr const char* kGates[] = {"gv1", "gv2", "gv3", "gv4", "gv5", "gv6"};
  static constexpr const char* kPowers[] = {"pgv1", "pgv2", "pgv3", "pgv4", "pgv5", "pgv6"};
  c.scale = gate_limit > 1 ? gate_limit : 1.0;
  c.count = 1;
  c.x[0] = c.y[0] = 0.0;
  const double first = read.value(kGates[0]);
  if (first < 0)
    return fail(verdict, Problem::not_simulated,
                "gv1 = %g: the default gate curve of another program, not simulated", first);
  for (int i = 0; i < 6; ++i) {
    const double g = read.value(kGates[i]);
    const double p = read.value(kPowers[i]);
    if (g == 0 && p == 0) break;
    if (!(g > c.x[c.count - 1] && g < 1 && p > c.y[c.count - 1] && p < 1))
      return fail(verdict, Problem::invalid_data,
                  "%s = %g, %s = %g: the gate curve does not rise from its point before to (1, 1)",
                  kGates[i], g, kPowers[i], p);
    c.x[c.count] = g;
    c.y[c.count] = p;
    ++c.count;
  }
  c.x[c.count] = c.y[c.count] = 1.0;
  ++c.count;
  return true;
}
