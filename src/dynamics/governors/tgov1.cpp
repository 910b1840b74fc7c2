// tgov1 from a record's values, and its start at P0.
#include "dynamics/governors/tgov1.h"

bool Tgov1::make(ParameterReader& read, Extras&, Verdict& verdict, Notes&) {
  r = read.divisor("r");
  t1 = read.time_constant("t1");
  vmax = read.value("vmax");
  vmin = read.value("vmin");
  t2 = read.value("t2");
  t3 = read.time_constant("t3");
  dt = read.value("dt");
  if (vmin > vmax) return fail(verdict, Problem::no_start, "vmin = %g above vmax = %g", vmin, vmax);
  droop_gain = 1.0 / r;
  valve = LimitedLag{1.0, t1, vmin, vmax};
  reheater = LeadLag{t2, t3};
  return !read.failed();
}

bool Tgov1::start(double p, double* x, Verdict& verdict) {
  p0 = p;
  x[0] = valve.init(p0);
  x[1] = reheater.init(valve.output(x[0], p0));
  return fail_outside(verdict, "P0", p0, "vmin", vmin, "vmax", vmax);
}
