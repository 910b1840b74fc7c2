// pidgov from a record's values, the P0 it can carry, and its start.
#include "dynamics/governors/pidgov.h"

#include <algorithm>

bool Pidgov::make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes) {
  treg = read.time_constant("treg");
  rperm = read.value("rperm");
  kp = read.value("kp");
  ki = read.value("ki");
  kd = read.value("kd");
  ta = read.time_constant("ta");
  tb = read.time_constant("tb");
  velmax = read.value("velmax");
  velmin = read.value("velmin");
  gmax = read.value("gmax");
  gmin = read.value("gmin");
  tw = read.value("tw");
  add_extra(extras, read, "pmax", 1.0);
  add_extra(extras, read, "pmin", 0.0);
  dturb = read.value("dturb");
  gx[0] = read.value("g0");
  gx[1] = read.value("g1");
  py[1] = read.value("p1");
  gx[2] = read.value("g2");
  py[2] = read.value("p2");
  py[3] = read.value("p3");
  gx[3] = 1.0;
  py[0] = 0.0;
  atw = read.value("atw");
  flag = read.value("flag");
  if (ta == 0 && kd != 0) note(notes, "kd = %g with ta = 0: no derivative term", kd);
  if (read.failed()) return false;
  if (tb == 0) return fail(verdict, Problem::no_start, "tb = 0: pidgov's gate divides by it");
  if (!(gx[0] < gx[1] && gx[1] < gx[2] && gx[2] < 1))
    return fail(verdict, Problem::invalid_data, "g0 = %g, g1 = %g, g2 = %g: the gates do not rise to 1",
                gx[0], gx[1], gx[2]);
  if (!(0 < py[1] && py[1] < py[2] && py[2] < py[3]))
    return fail(verdict, Problem::invalid_data, "p1 = %g, p2 = %g, p3 = %g: the powers do not rise",
                py[1], py[2], py[3]);
  if (gmin > gmax) return fail(verdict, Problem::no_start, "gmin = %g above gmax = %g", gmin, gmax);
  if (atw * tw < 0)
    return fail(verdict, Problem::no_start,
                "atw tw = %g: a negative water time makes pidgov's penstock unstable", atw * tw);
  if (!(flag == 0 || flag == 1))
    return fail(verdict, Problem::invalid_data, "flag = %g is neither 0 nor 1", flag);
  droop = Lag{rperm, treg};
  lag1 = Lag{1.0, ta};
  lag2 = Lag{1.0, ta};
  rate_term = Washout{kd, ta};
  water = LeadLag{-atw * tw, atw * tw / 2};
  return true;
}

double Pidgov::gate_of(double p) const {
  int k = 0;
  while (k < 2 && p > py[k + 1]) ++k;
  return gx[k] + (gx[k + 1] - gx[k]) * (p - py[k]) / (py[k + 1] - py[k]);
}

SteadyRange Pidgov::steady_range(double step) const {
  // With its droop on the gate: the curve's slope at the standard load over rperm; on
  // electrical power (held in the speed step) it does not settle.
  const double g = gate_of(0.8);
  int k = 0;
  while (k < 2 && g > gx[k + 1]) ++k;
  const double slope = (py[k + 1] - py[k]) / (gx[k + 1] - gx[k]);
  const double change = flag == 1 && rperm > 0 ? slope * step / rperm : 0.0;
  return SteadyRange{change + dturb * step, power(gmax), power(gmin)};
}

bool Pidgov::start(double p, double* x, Verdict& verdict) {
  const double gate0 = gate_of(p);
  x[kDroop] = droop.init(0.0);
  x[kIntegral] = gate0;
  x[kLag] = lag1.init(gate0);
  x[kDerivative] = rate_term.init(0.0);
  x[kLag2] = lag2.init(gate0);
  x[kGate] = gate0;
  x[kWater] = water.init(p);
  pref = flag == 1 ? gate0 : p;
  if (p <= 0) return fail(verdict, Problem::no_start, "P0 = %.3f: the gate cannot be open", p);
  return fail_outside(verdict, "gate0", gate0, "gmin", gmin, "gmax", gmax);
}
