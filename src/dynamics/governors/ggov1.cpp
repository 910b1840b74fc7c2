// ggov1 from a record's values, the P0 it can carry, and its start.
#include "dynamics/governors/ggov1.h"

#include <cmath>

bool Ggov1::make(ParameterReader& read, Extras&, Verdict& verdict, Notes& notes) {
  r = read.value("r");
  rselect = read.value("rselect");
  tpelec = read.time_constant("tpelec");
  maxerr = read.value("maxerr");
  minerr = read.value("minerr");
  kpgov = read.value("kpgov");
  kigov = read.value("kigov");
  kdgov = read.value("kdgov");
  tdgov = read.time_constant("tdgov");
  vmax = read.value("vmax");
  vmin = read.value("vmin");
  tact = read.time_constant("tact");
  kturb = read.value("kturb");
  wfnl = read.value("wfnl");
  tb = read.time_constant("tb");
  tc = read.value("tc");
  flag = read.value("flag");
  teng = read.value("teng");
  tfload = read.time_constant("tfload");
  kpload = read.value("kpload");
  kiload = read.value("kiload");
  ldref = read.value("ldref");
  dm = read.value("dm");
  ropen = read.value("ropen");
  rclose = read.value("rclose");
  kimw = read.value("kimw");
  const double pmwset = read.value("pmwset");
  aset = read.value("aset");
  ka = read.value("ka");
  ta = read.time_constant("ta");
  db = read.value("db");
  tsa = read.value("tsa");
  tsb = read.time_constant("tsb");
  rup = read.value("rup");
  rdown = read.value("rdown");
  if (pmwset != 0) note(notes, "pmwset = %g not used: the load set point is P0", pmwset);
  if (rselect == -1 || rselect == -2)
    note(notes, "rselect %g: the code's meaning (-1 valve stroke, -2 governor output) is not "
                "confirmed", rselect);
  if (tdgov == 0 && kdgov != 0) note(notes, "kdgov = %g with tdgov = 0: no derivative term", kdgov);
  if (ta == 0 && aset < 99) note(notes, "ta = 0: the acceleration limiter sees no acceleration");
  if (tb == 0 && tc != 0) note(notes, "tc = %g with tb = 0: the turbine lead-lag is bypassed", tc);
  if (rup < 99 || rdown > -99)
    note(notes, "rup, rdown limit the load limiter's integral (a choice)");
  if (aset < 99) note(notes, "the acceleration limiter's factor is ka times the step (a choice)");
  if (read.failed()) return false;
  if (!(rselect == 1 || rselect == 0 || rselect == -1 || rselect == -2))
    return fail(verdict, Problem::invalid_data, "rselect = %g is none of 1, 0, -1, -2", rselect);
  if (!(kturb > 0)) return fail(verdict, Problem::no_start, "kturb = %g: no fuel gives power", kturb);
  if (tact == 0) return fail(verdict, Problem::no_start, "tact = 0: ggov1's actuator divides by it");
  if (vmin > vmax) return fail(verdict, Problem::no_start, "vmin = %g above vmax = %g", vmin, vmax);
  if (r < 0) return fail(verdict, Problem::no_start, "r = %g: a negative droop", r);
  if (teng < 0) return fail(verdict, Problem::no_start, "teng = %g: a negative delay", teng);
  if (teng > kMaxDelaySteps * kStep)
    return fail(verdict, Problem::not_simulated,
                "teng = %g s: a delay longer than the %g s the simulation holds", teng,
                kMaxDelaySteps * kStep);
  delay = static_cast<int>(std::floor(teng / kStep + 0.5));
  if (std::fabs(teng / kStep - delay) > 0.01)
    note(notes, "teng = %g s taken as %d steps of 1/%d s", teng, delay, kStepsPerSecond);
  transducer = Lag{1.0, tpelec};
  derivative = Washout{kdgov, tdgov};
  temperature = LeadLag{tsa, tsb};
  load_filter = Lag{1.0, tfload};
  turbine = LeadLag{tc, tb};
  linear = false;
  return true;
}

SteadyRange Ggov1::steady_range(double step) const {
  // With its droop on the valve or the governor output, fuel follows the error over r;
  // with it on electrical power (held in the speed step) or none, Pm does not settle.
  const double droop =
      (rselect == -1 || rselect == -2) && r > 0 ? kturb * std::max(0.0, step - db) / r : 0.0;
  const double upper = std::min(kturb * (vmax - wfnl), ldref);
  return SteadyRange{droop + std::max(0.0, dm) * step, upper, kturb * (vmin - wfnl)};
}

bool Ggov1::start(double p, double* x, Verdict& verdict) {
  p0 = p;
  const double cfe0 = p / kturb + wfnl;
  for (int i = 0; i < kStates; ++i) x[i] = 0.0;
  x[kXpe] = transducer.init(p);
  x[kXi] = x[kXact] = cfe0;
  x[kXts] = temperature.init(cfe0);
  x[kXtf] = load_filter.init(temperature.output(x[kXts], cfe0));
  x[kXld] = kpload > 0 ? cfe0 : vmax;
  x[kHeldFsr] = cfe0;
  const double ut0 = turbine_power(x, 0.0);
  x[kHeldUd] = ut0;
  x[kXtb] = turbine.init(ut0);
  const double sel0 = rselect == 1 ? p : rselect == -1 || rselect == -2 ? cfe0 : 0.0;
  pref = r * sel0;
  if (!fail_outside(verdict, "fsr0", cfe0, "vmin", vmin, "vmax", vmax)) return false;
  if (p > ldref)
    return fail(verdict, Problem::no_start,
                "P0 = %.3f above ldref = %.3f: the load limiter is in control at the start", p,
                ldref);
  if (aset < 0)
    return fail(verdict, Problem::no_start,
                "aset = %g below 0: the acceleration limiter is in control at the start", aset);
  return true;
}
