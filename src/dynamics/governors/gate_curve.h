// A hydro unit's gate curve: effective gate (or power) against gate position, straight
// between (0, 0), the record's points (gv, pgv) and (1, 1), the last piece carried on
// beyond; no points at all is the straight line. A gate limit above 1 scales the curve.
#pragma once
#include "dynamics/extras.h"
#include "dynamics/record_values.h"

struct GateCurve {
  int count;         // points, (0, 0) and (1, 1) included
  double x[8];       // increasing
  double y[8];       // increasing
  double scale;      // the gate limit where it is above 1, else 1
  double of(double g) const;       // curve(g)
  double inverse(double v) const;  // the g whose curve(g) is v
  double slope(double g) const;    // d curve / dg at g (the piece g lies on)
};

// Reads gv1, pgv1 ... gv6, pgv6 into the curve; false, with the verdict, where they make
// no curve: gv1 < 0 (the default curve of another program, not simulated) or points that
// do not rise.
bool read_gate_curve(ParameterReader& read, double gate_limit, GateCurve& curve, Verdict& verdict);
