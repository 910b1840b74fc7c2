// esst3a from a record's values, and its start.
#include "dynamics/exciters/esst3a.h"

bool Esst3a::make(ParameterReader& read, Extras&, Verdict& verdict, Notes& notes) {
  km = read_front(read, "km");
  thetap = read.value("thetap");
  tm = read.time_constant("tm");
  vmmax = read.value("vmmax");
  vmmin = read.value("vmmin");
  if (!make_front(read, notes)) return false;
  if (tm == 0 && src.kg != 0)
    return fail(verdict, Problem::not_simulated,
                "tm = 0 with kg = %g: the inner loop through Efd is algebraic", src.kg);
  inner = LimitedLag{km, tm, vmmin, vmmax};
  return true;
}

bool Esst3a::start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict) {
  if (ka <= 0) return fail(verdict, Problem::no_start, "ka = %g: the regulator has no gain", ka);
  if (km <= 0) return fail(verdict, Problem::no_start, "km = %g: the inner loop has no gain", km);
  double vb0 = 0;
  if (!start_source(source, vt0, ifd0, vb0, verdict)) return false;
  const double vm0 = efd0 / vb0;
  const double vr0 = vm0 / km + feedback(efd0);
  const double vi0 = vr0 / ka;
  vref0 = vt0 + vi0;
  s[0] = vt0;
  s[1] = lead.init(vi0);
  s[2] = regulator.at_output(vr0);
  s[3] = inner.at_output(vm0);
  return fail_outside(verdict, "vm0", vm0, "vmmin", vmmin, "vmmax", vmmax) &&
         fail_outside(verdict, "vr0", vr0, "vrmin", vrmin, "vrmax", vrmax) &&
         fail_outside(verdict, "vi0", vi0, "vimin", vimin, "vimax", vimax);
}
