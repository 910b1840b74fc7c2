// hygov from a record's values, and its start at P0.
#include "dynamics/governors/hygov.h"

bool Hygov::make(ParameterReader& read, Extras&, Verdict& verdict, Notes&) {
  r = read.divisor("r");
  rr = read.divisor("rr");
  tr = read.time_constant("tr");
  tf = read.time_constant("tf");
  tg = read.time_constant("tg");
  velm = read.value("velm");
  gmax = read.value("gmax");
  gmin = read.value("gmin");
  tw = read.time_constant("tw");
  at = read.divisor("at");
  dturb = read.value("dturb");
  qnl = read.value("qnl");
  if (read.failed()) return false;
  if (tr == 0) return fail(verdict, Problem::no_start, "tr = 0: the governor's PI divides by it");
  if (tf == 0)
    return fail(verdict, Problem::not_simulated, "tf = 0: the filter makes an algebraic loop");
  if (gmin > gmax) return fail(verdict, Problem::no_start, "gmin = %g above gmax = %g", gmin, gmax);
  filter = rate_of(tf);
  servo = rate_of(tg);
  water = rate_of(tw);
  proportional = 1.0 / rr;
  integral = 1.0 / (rr * tr);
  return true;
}

bool Hygov::start(double p, double* x, Verdict& verdict) {
  const double c0 = p / at + qnl;
  x[0] = 0.0;
  x[1] = x[2] = x[3] = c0;
  nref = r * c0;
  if (c0 <= 0) return fail(verdict, Problem::no_start, "g0 = %.3f: the gate cannot be open", c0);
  return fail_outside(verdict, "g0", c0, "gmin", gmin, "gmax", gmax);
}
