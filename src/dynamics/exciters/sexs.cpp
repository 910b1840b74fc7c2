// sexs from a record's values, and its start.
#include "dynamics/exciters/sexs.h"

bool Sexs::make(ParameterReader& read, Extras& extras, Verdict&, Notes& notes) {
  tatb = read.value("tatb");
  tb = read.time_constant("tb");
  k = read.value("k");
  te = read.time_constant("te");
  emin = read.value("emin");
  emax = read.value("emax");
  for (const char* name : {"kc", "tc", "efdmin", "efdmax", "tr"}) add_extra(extras, read, name, 0.0);
  if (tb == 0 && tatb != 0) note(notes, "tb = 0: the lead-lag is bypassed");
  lead = LeadLag{tatb * tb, tb};
  regulator = LimitedLag{k, te, emin, emax};
  return !read.failed();
}

bool Sexs::start(double vt0, double efd0, double, double* s, Verdict& verdict) {
  if (k == 0) return fail(verdict, Problem::no_start, "k = 0: the regulator has no gain");
  const double y0 = efd0 / k;
  vref0 = vt0 + y0;
  s[0] = lead.init(y0);
  s[1] = regulator.at_output(efd0);
  return fail_outside(verdict, "Efd0", efd0, "emin", emin, "emax", emax);
}
