// ieeet1 and esdc1a from a record's values, and their start.
#include "dynamics/exciters/dc1.h"

#include <cstring>

bool Dc1::make(ParameterReader& read, Extras&, Verdict& verdict, Notes& notes) {
  tr = read.time_constant("tr");
  ka = read.value("ka");
  ta = read.time_constant("ta");
  const bool esdc1a = std::strcmp(read.model_name(), "esdc1a") == 0;
  lead_slot = esdc1a;
  tb = esdc1a ? read.time_constant("tb") : 0.0;
  tc = esdc1a ? read.value("tc") : 0.0;
  vrmax = read.value("vrmax");
  vrmin = read.value("vrmin");
  ke = read.value("ke");
  te = read.time_constant("te");
  kf = read.value("kf");
  tf = read.time_constant("tf");
  switch_value = esdc1a ? 0.0 : read.value("switch");
  e1 = read.value("e1");
  se1 = read.value("se1");
  e2 = read.value("e2");
  se2 = read.value("se2");
  if (tb == 0 && tc != 0) note(notes, "tc = %g with tb = 0: the lead-lag is bypassed", tc);
  if (switch_value != 0) note(notes, "switch = %g not simulated", switch_value);
  if (ke == 0) {
    ke_computed = true;
    note(notes, "ke = 0 taken as the ke that starts vr at 0 (a self-excited field)");
  }
  if (read.failed()) return false;
  if (te == 0)
    return fail(verdict, Problem::not_simulated,
                "te = 0: the exciter's field has no time constant");
  if (!fit_exciter_saturation(e1, se1, e2, se2, saturation, verdict)) return false;
  transducer = rate_of(tr);
  lead = LeadLag{tc, tb};
  regulator = LimitedLag{ka, ta, vrmin, vrmax};
  feedback = Washout{kf, tf};
  field = rate_of(te);
  return true;
}

bool Dc1::start(double vt0, double efd0, double, double* s, Verdict& verdict) {
  if (ka == 0) return fail(verdict, Problem::no_start, "ka = 0: the regulator has no gain");
  if (ke_computed) ke = -saturation.term(efd0) / efd0;
  const double vr0 = ke * efd0 + saturation.term(efd0);
  vref0 = vt0 + vr0 / ka;
  s[0] = vt0;
  s[1] = lead.init(vr0 / ka);
  s[2] = regulator.at_output(vr0);
  s[3] = efd0;
  s[4] = feedback.init(efd0);
  return fail_outside(verdict, "vr0", vr0, "vrmin", vrmin, "vrmax", vrmax);
}
