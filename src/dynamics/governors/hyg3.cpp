// hyg3 from a record's values, the P0 it can carry, and its start.
#include "dynamics/governors/hyg3.h"

#include <cmath>

bool Hyg3::make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes) {
  pmax = read.value("pmax");
  pmin = read.value("pmin");
  cflag = read.value("cflag");
  rgate = read.value("rgate");
  relec = read.value("relec");
  td = read.time_constant("td");
  tf = read.time_constant("tf");
  tp = read.time_constant("tp");
  velop = read.value("velop");
  velcl = read.value("velcl");
  k1 = read.value("k1");
  k2 = read.value("k2");
  ki = read.value("ki");
  kg = read.value("kg");
  tt = read.time_constant("tt");
  for (const char* name : {"db1", "eps", "db2"}) add_extra(extras, read, name, 0.0);
  tw = read.time_constant("tw");
  at = read.divisor("at");
  dturb = read.value("dturb");
  qnl = read.value("qnl");
  h0 = read.value("h0");
  note(notes, "hyg3: its equations are a reconstruction, not confirmed");
  if (tf == 0 && (cflag > 0 ? k1 : k2) != 0)
    note(notes, "%s = %g with tf = 0: no derivative term", cflag > 0 ? "k1" : "k2",
         cflag > 0 ? k1 : k2);
  if (read.failed()) return false;
  if (cflag == 0) return fail(verdict, Problem::invalid_data, "cflag = 0 picks no governor");
  if (!(h0 > 0)) return fail(verdict, Problem::no_start, "h0 = %g: no head to start from", h0);
  if (pmin > pmax) return fail(verdict, Problem::no_start, "pmin = %g above pmax = %g", pmin, pmax);
  if (!read_gate_curve(read, pmax, curve, verdict) || read.failed()) return false;
  transducer = Lag{1.0, tt};
  filter = Lag{1.0, td};
  derivative_rate = rate_of(tf);
  servo_rate = rate_of(tp);
  water_rate = rate_of(tw);
  head_root = std::sqrt(h0);
  return true;
}

SteadyRange Hyg3::steady_range(double step) const {
  // A gate droop settles (the straight curve's share of it); a droop on electrical power,
  // held in the speed step, does not.
  const double change = rgate > 0 ? at * h0 * head_root * step / rgate : 0.0;
  return SteadyRange{change + dturb * step, at * h0 * (curve.of(pmax) * head_root - qnl),
                     at * h0 * std::max(0.0, curve.of(pmin) * head_root - qnl)};
}

bool Hyg3::start(double p, double* x, Verdict& verdict) {
  for (int i = 0; i < kStates; ++i) x[i] = 0.0;
  const double q0 = p / (at * h0) + qnl;
  const double g0 = curve.inverse(q0 / head_root);
  x[kXt] = transducer.init(p);
  x[kXi] = x[kGate] = g0;
  x[kFlow] = q0;
  nref = relec * p + rgate * g0;
  if (q0 <= 0) return fail(verdict, Problem::no_start, "q0 = %.3f: the gate cannot be open", q0);
  return fail_outside(verdict, "g0", g0, "pmin", pmin, "pmax", pmax);
}
