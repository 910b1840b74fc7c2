// ieeeg3 from a record's values, the P0 it can carry, and its start.
#include "dynamics/governors/ieeeg3.h"

bool Ieeeg3::make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes) {
  tg = read.value("tg");
  tp = read.time_constant("tp");
  uo = read.value("uo");
  uc = read.value("uc");
  pmax = read.value("pmax");
  pmin = read.value("pmin");
  rperm = read.value("rperm");
  rtemp = read.value("rtemp");
  tr = read.time_constant("tr");
  tw = read.value("tw");
  kturb = read.value("kturb");
  aturb = read.value("aturb");
  bturb = read.value("bturb");
  for (const char* name : {"spare", "db1", "eps", "db2"}) add_extra(extras, read, name, 0.0);
  if (bturb * tw == 0 && aturb * tw != 0)
    note(notes, "aturb tw = %g with bturb tw = 0: the water column's lead-lag is bypassed",
         aturb * tw);
  if (read.failed()) return false;
  if (!(tg > 0)) return fail(verdict, Problem::no_start, "tg = %g: the gate servo divides by it", tg);
  if (kturb == 0) return fail(verdict, Problem::no_start, "kturb = 0: the turbine gives no power");
  if (bturb * tw < 0)
    return fail(verdict, Problem::no_start,
                "bturb tw = %g: a negative time constant makes ieeeg3 unstable", bturb * tw);
  if (pmin > pmax) return fail(verdict, Problem::no_start, "pmin = %g above pmax = %g", pmin, pmax);
  if (uc > 0 || uo < 0)
    return fail(verdict, Problem::no_start, "uc = %g, uo = %g: the gate cannot rest", uc, uo);
  if (!read_gate_curve(read, pmax, curve, verdict) || read.failed()) return false;
  servo = LimitedLag{1.0 / tg, tp, uc, uo};
  reset = rate_of(tr);
  water = LeadLag{aturb * tw, bturb * tw};
  return true;
}

SteadyRange Ieeeg3::steady_range(double step) const {
  const double change = rperm > 0 ? kturb * step / rperm : 0.0;
  return SteadyRange{change, kturb * curve.of(pmax), kturb * curve.of(pmin)};
}

bool Ieeeg3::start(double p, double* x, Verdict& verdict) {
  const double pg0 = p / kturb;
  const double g0 = curve.inverse(pg0);
  x[kReset] = g0;
  x[kVelocity] = servo.init(0.0);
  x[kGate] = g0;
  x[kWater] = water.init(pg0);
  gref = rperm * g0;
  return fail_outside(verdict, "g0", g0, "pmin", pmin, "pmax", pmax);
}
