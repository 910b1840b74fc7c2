// exst1 and esst1a from a record's values, and their start.
#include "dynamics/exciters/st1.h"

#include <cstring>

namespace {

// Limits of a regulator that a record writes as 0 and 0: no limit.
constexpr double kNoLimit = 99.0;

}  // namespace

bool St1::make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes) {
  tr = read.time_constant("tr");
  vimax = read.value("vimax");
  vimin = read.value("vimin");
  tc = read.value("tc");
  tb = read.time_constant("tb");
  ka = read.value("ka");
  ta = read.time_constant("ta");
  vrmax = read.value("vrmax");
  vrmin = read.value("vrmin");
  kc = read.value("kc");
  kf = read.value("kf");
  tf = read.time_constant("tf");
  tc1 = read.value("tc1");
  tb1 = read.time_constant("tb1");
  vamax = read.value("vamax");
  vamin = read.value("vamin");
  ilr = read.value("ilr");
  klr = read.value("klr");
  if (vamax == 0 && vamin == 0) {
    vamax = kNoLimit;
    vamin = -kNoLimit;
    note(notes, "vamax = vamin = 0 taken as no limit");
  }
  if (std::strcmp(read.model_name(), "exst1") == 0) {
    add_extra(extras, read, "xe", 0.0);
  } else {
    add_extra(extras, read, "uelin", 0.0);
    add_extra(extras, read, "pssin", 0.0);
  }
  for (int i = 0; i < extras.count; ++i)
    note(notes, "%s = %g not simulated", extras.names[i], extras.values[i]);
  if (tb == 0 && tc != 0) note(notes, "tc = %g with tb = 0: the lead-lag is bypassed", tc);
  if (tb1 == 0 && tc1 != 0) note(notes, "tc1 = %g with tb1 = 0: the lead-lag is bypassed", tc1);
  if (tf == 0 && kf != 0) note(notes, "kf = %g with tf = 0: no rate feedback", kf);
  if (read.failed()) return false;
  if (ka == 0) return fail(verdict, Problem::no_start, "ka = 0: the regulator has no gain");
  if (ta == 0 && kf != 0 && tf > 0)
    return fail(verdict, Problem::not_simulated,
                "ta = 0 with kf = %g: the rate feedback makes an algebraic loop", kf);
  transducer = rate_of(tr);
  lead1 = LeadLag{tc, tb};
  lead2 = LeadLag{tc1, tb1};
  regulator = LimitedLag{ka, ta, vamin, vamax};
  feedback = Washout{kf, tf};
  return true;
}

bool St1::start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict) {
  const double va0 = efd0 + klr * std::max(0.0, ifd0 - ilr);
  const double vi0 = va0 / ka;
  vref0 = vt0 + vi0;
  s[0] = vt0;
  s[1] = lead1.init(vi0);
  s[2] = lead2.init(vi0);
  s[3] = regulator.at_output(va0);
  s[4] = feedback.init(efd0);
  return fail_outside(verdict, "Efd0", efd0, "vt vrmin", vt0 * vrmin, "vt vrmax - kc ifd",
                      vt0 * vrmax - kc * ifd0) &&
         fail_outside(verdict, "va0", va0, "vamin", vamin, "vamax", vamax) &&
         fail_outside(verdict, "vi0", vi0, "vimin", vimin, "vimax", vimax);
}
