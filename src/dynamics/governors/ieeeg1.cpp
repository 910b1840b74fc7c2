// ieeeg1 from a record's values, and its start at P0.
#include "dynamics/governors/ieeeg1.h"

bool Ieeeg1::make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes) {
  k = read.value("k");
  t1 = read.time_constant("t1");
  t2 = read.value("t2");
  t3 = read.time_constant("t3");
  uo = read.value("uo");
  uc = read.value("uc");
  pmax = read.value("pmax");
  pmin = read.value("pmin");
  static constexpr const char* kTimes[] = {"t4", "t5", "t6", "t7"};
  static constexpr const char* kHigh[] = {"k1", "k3", "k5", "k7"};
  static constexpr const char* kLow[] = {"k2", "k4", "k6", "k8"};
  for (int i = 0; i < 4; ++i) {
    t[i] = read.time_constant(kTimes[i]);
    kh[i] = read.value(kHigh[i]);
    kl[i] = read.value(kLow[i]);
    if (kl[i] != 0) note(notes, "%s = %g: cross-compound data, both shafts summed", kLow[i], kl[i]);
  }
  if (t1 == 0 && t2 != 0) note(notes, "t2 = %g with t1 = 0: the speed lead-lag is bypassed", t2);
  add_deadbands_and_curve(extras, read);
  if (read.failed()) return false;
  const double sum = gain_sum();
  if (!(sum > 0)) return fail(verdict, Problem::no_start, "k1 + ... + k8 = %g: no power", sum);
  if (pmin > pmax)
    return fail(verdict, Problem::no_start, "pmin = %g above pmax = %g", pmin, pmax);
  if (t3 > 0 && (uc > 0 || uo < 0))
    return fail(verdict, Problem::no_start, "uc = %g, uo = %g: the gate cannot rest", uc, uo);
  speed = LeadLag{t2, t1};
  servo = rate_of(t3);
  active = 0;
  for (int i = 0; i < 4; ++i) {
    stages[i] = Lag{1.0, t[i]};
    share[i] = kh[i] + kl[i];
    if (share[i] != 0) active = i + 1;
  }
  return true;
}

double Ieeeg1::gain_sum() const {
  double sum = 0.0;
  for (int i = 0; i < 4; ++i) sum += kh[i] + kl[i];
  return sum;
}

SteadyRange Ieeeg1::steady_range(double step) const {
  const double sum = gain_sum();
  return SteadyRange{step * k * sum, sum * pmax, sum * pmin};
}

bool Ieeeg1::start(double p, double* x, Verdict& verdict) {
  g0 = p / gain_sum();
  x[0] = speed.init(0.0);
  x[1] = g0;
  double g = g0;
  for (int i = 0; i < 4; ++i) g = x[2 + i] = stages[i].init(g);
  return fail_outside(verdict, "g0", g0, "pmin", pmin, "pmax", pmax);
}
