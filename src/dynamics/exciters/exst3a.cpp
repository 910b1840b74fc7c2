// exst3a from a record's values, and its start.
#include "dynamics/exciters/exst3a.h"

bool Exst3a::make(ParameterReader& read, Extras&, Verdict& verdict, Notes& notes) {
  kj = read_front(read, "kj");
  angp = read.value("angp");
  note(notes, "exst3a: its block roles are read from its names (not confirmed)");
  if (!make_front(read, notes)) return false;
  if (ta == 0 && src.kg != 0)
    return fail(verdict, Problem::not_simulated,
                "ta = 0 with kg = %g: the inner loop through Efd is algebraic", src.kg);
  return true;
}

bool Exst3a::start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict) {
  if (kj <= 0) return fail(verdict, Problem::no_start, "kj = %g: the regulator has no gain", kj);
  if (ka <= 0) return fail(verdict, Problem::no_start, "ka = %g: the inner loop has no gain", ka);
  double vb0 = 0;
  if (!start_source(source, vt0, ifd0, vb0, verdict)) return false;
  const double vr0 = efd0 / vb0;
  const double vi0 = (vr0 / ka + feedback(efd0)) / kj;
  vref0 = vt0 + vi0;
  s[0] = vt0;
  s[1] = lead.init(vi0);
  s[2] = regulator.at_output(vr0);
  return fail_outside(verdict, "vr0", vr0, "vrmin", vrmin, "vrmax", vrmax) &&
         fail_outside(verdict, "vi0", vi0, "vimin", vimin, "vimax", vimax);
}
