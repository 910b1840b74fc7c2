// gast from a record's values, and its start at P0.
#include "dynamics/governors/gast.h"

bool Gast::make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes) {
  r = read.divisor("r");
  t1 = read.time_constant("t1");
  t2 = read.time_constant("t2");
  t3 = read.time_constant("t3");
  lmax = read.value("lmax");
  kt = read.value("kt");
  vmax = read.value("vmax");
  vmin = read.value("vmin");
  dturb = read.value("dturb");
  // The extras, whose roles are not confirmed, at their neutral values.
  static constexpr struct {
    const char* name;
    double neutral;
  } kExtras[] = {{"fidle", 0}, {"rmax", 99}, {"linc", 99}, {"tltr", 10}, {"ltrat", 99},
                 {"a", 0},     {"b", 1},     {"ka", 0},    {"t4", 0},    {"t5", 0}};
  for (const auto& e : kExtras) add_extra(extras, read, e.name, e.neutral);
  add_deadbands_and_curve(extras, read);
  if (extras.count > 0) note(notes, "gast: core only, its extras not simulated");
  if (read.failed()) return false;
  if (t1 == 0 && t2 == 0 && t3 == 0)
    return fail(verdict, Problem::not_simulated,
                "t1 = t2 = t3 = 0: the temperature limit makes an algebraic loop");
  if (vmin > vmax) return fail(verdict, Problem::no_start, "vmin = %g above vmax = %g", vmin, vmax);
  droop_gain = 1.0 / r;
  valve = LimitedLag{1.0, t1, vmin, vmax};
  fuel = Lag{1.0, t2};
  exhaust = Lag{1.0, t3};
  return true;
}

bool Gast::start(double p, double* x, Verdict& verdict) {
  p0 = p;
  x[0] = valve.init(p0);
  x[1] = fuel.init(x[0]);
  x[2] = exhaust.init(x[1]);
  if (p0 > lmax)
    return fail(verdict, Problem::no_start,
                "P0 = %.3f above lmax = %.3f: the temperature limit is in control", p0, lmax);
  return fail_outside(verdict, "P0", p0, "vmin", vmin, "vmax", vmax);
}
