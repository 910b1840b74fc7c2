// exac1 and esac1a from a record's values, and their start.
#include "dynamics/exciters/ac1.h"

#include <cstring>

namespace {

constexpr double kOpen = 1e300;  // exac1's output: no clamp

}  // namespace

bool Ac1::make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes) {
  const bool esac1a = std::strcmp(read.model_name(), "esac1a") == 0;
  two_pairs = esac1a;
  tr = read.time_constant("tr");
  tb = read.time_constant("tb");
  tc = read.value("tc");
  ka = read.value("ka");
  ta = read.time_constant("ta");
  if (esac1a) {
    vamax = read.value("vamax");
    vamin = read.value("vamin");
  } else {
    vamax = read.value("vrmax");
    vamin = read.value("vrmin");
  }
  te = read.time_constant("te");
  kf = read.value("kf");
  tf = read.time_constant("tf");
  kc = read.value("kc");
  kd = read.value("kd");
  ke = read.value("ke");
  e1 = read.value("e1");
  se1 = read.value("se1");
  e2 = read.value("e2");
  se2 = read.value("se2");
  vrmax = kOpen;
  vrmin = -kOpen;
  if (esac1a) {
    vrmax = read.value("vrmax");
    vrmin = read.value("vrmin");
    add_extra(extras, read, "spdmlt", 0.0);
  }
  if (tb == 0 && tc != 0) note(notes, "tc = %g with tb = 0: the lead-lag is bypassed", tc);
  if (tf == 0 && kf != 0) note(notes, "kf = %g with tf = 0: no rate feedback", kf);
  if (ke == 0) note(notes, "ke = 0 taken as it stands (an ac exciter computes no ke)");
  if (read.failed()) return false;
  if (te == 0)
    return fail(verdict, Problem::no_start,
                "te = 0: the exciter's integrator has no time constant");
  transducer = rate_of(tr);
  lead = LeadLag{tc, tb};
  regulator = LimitedLag{ka, ta, vamin, vamax};
  exciter.ke = ke;
  exciter.kd = kd;
  exciter.kc = kc;
  exciter.rate = rate_of(te);
  if (!fit_exciter_saturation(e1, se1, e2, se2, exciter.saturation, verdict)) return false;
  feedback = Washout{kf, tf};
  return true;
}

bool Ac1::start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict) {
  if (ka <= 0) return fail(verdict, Problem::no_start, "ka = %g: the regulator has no gain", ka);
  const double ve0 = exciter.ve_for(efd0, ifd0);
  if (!(ve0 > 0) || rectifier(kc * ifd0 / ve0) <= 0)
    return fail(verdict, Problem::no_start, "FEX(IN0) = 0: the rectifier passes no field current");
  const double vfe0 = exciter.vfe(ve0, ifd0);
  const double vr0 = vfe0;
  vref0 = vt0 + vr0 / ka;
  s[0] = vt0;
  s[1] = lead.init(vr0 / ka);
  s[2] = regulator.at_output(vr0);
  s[3] = ve0;
  s[4] = feedback.init(vfe0);
  if (!two_pairs) return fail_outside(verdict, "vr0", vr0, "vrmin", vamin, "vrmax", vamax);
  return fail_outside(verdict, "vr0", vr0, "vamin", vamin, "vamax", vamax) &&
         fail_outside(verdict, "vr0", vr0, "vrmin", vrmin, "vrmax", vrmax);
}
