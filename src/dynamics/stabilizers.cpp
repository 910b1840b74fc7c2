// The stabilizers' transfer functions, and how a record's values make them.
#include "dynamics/stabilizers.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

namespace {

// (1 + s tn)/(1 + s td)
Complex lead_lag(Complex s, double tn, double td) { return (1.0 + tn * s) / (1.0 + td * s); }
// s t/(1 + s t): the washout, bypassed (1) with t = 0.
Complex high_pass(Complex s, double t) { return t > 0 ? t * s / (1.0 + t * s) : Complex{1.0, 0.0}; }
// k/(1 + s t)
Complex lag(Complex s, double k, double t) { return Complex{k, 0.0} / (1.0 + t * s); }
// 1 + c1 s + c2 s^2
Complex quadratic(Complex s, double c1, double c2) { return 1.0 + (c1 * s + c2 * (s * s)); }

Complex ieeest(const Stabilizer& p, Complex s) {
  if (p.t5 == 0) return Complex{};  // the washout-derivative gives nothing
  const Complex filter =
      quadratic(s, p.a[4], p.a[5]) / (quadratic(s, p.a[0], p.a[1]) * quadratic(s, p.a[2], p.a[3]));
  return (p.ks * p.t5) * s / (1.0 + p.t6 * s) * filter * lead_lag(s, p.t1, p.t2) *
         lead_lag(s, p.t3, p.t4);
}

Complex pss1a(const Stabilizer& p, Complex s) {
  return p.ks * lag(s, 1.0, p.t6) * high_pass(s, p.t5) / quadratic(s, p.a[0], p.a[1]) *
         lead_lag(s, p.t1, p.t2) * lead_lag(s, p.t3, p.t4);
}

Complex pss2a(const Stabilizer& p, Complex s, bool second) {
  const Complex w1 = high_pass(s, p.tw1) * high_pass(s, p.tw2) * lag(s, 1.0, p.t6);
  const Complex w2 = high_pass(s, p.tw3) * high_pass(s, p.tw4) * lag(s, p.ks2, p.t7);
  Complex rtf{1.0, 0.0};
  if (p.n * p.m != 0) {
    rtf = power((1.0 + p.t8 * s) / power(1.0 + p.t9 * s, static_cast<int>(p.m)),
                static_cast<int>(p.n));
  }
  const Complex v = second ? p.ks3 * (rtf * w2) - w2 : rtf * w1;
  return p.ks1 * v * lead_lag(s, p.t1, p.t2) * lead_lag(s, p.t3, p.t4);
}

}  // namespace

namespace {

// An input signal's code is a whole number.
bool valid_codes(const Stabilizer& p, Verdict& verdict) {
  for (const double code : {p.input_code, p.second_code}) {
    if (!(code == std::floor(code) && std::fabs(code) < 1e6))
      return fail(verdict, Problem::invalid_data, "input code %g is no signal's code", code);
  }
  return true;
}

}  // namespace

bool make_stabilizer(const RecordValues& record, Stabilizer& p, Verdict& verdict, Notes& notes) {
  std::memset(&p, 0, sizeof p);
  ParameterReader read(record, verdict, notes);
  const char* name = record.model->name;
  if (std::strcmp(name, "pss2a") == 0) {
    p.kind = StabilizerKind::pss2a;
    p.input_code = read.value("j1");
    p.second_code = read.value("j2");
    p.tw1 = read.time_constant("tw1");
    p.tw2 = read.time_constant("tw2");
    p.tw3 = read.time_constant("tw3");
    p.tw4 = read.time_constant("tw4");
    p.t6 = read.time_constant("t6");
    p.t7 = read.time_constant("t7");
    p.ks2 = read.value("ks2");
    p.ks3 = read.value("ks3");
    p.ks4 = read.value("ks4");
    p.t8 = read.value("t8");
    p.t9 = read.time_constant("t9");
    p.n = read.value("n");
    p.m = read.value("m");
    p.ks1 = read.value("ks1");
    p.t1 = read.value("t1");
    p.t2 = read.time_constant("t2");
    p.t3 = read.value("t3");
    p.t4 = read.time_constant("t4");
    p.extra_a = read.value("a");
    p.ta = read.value("ta");
    p.tb = read.value("tb");
    if (!(p.extra_a == 1 && p.ta == 0 && p.tb == 0))
      note(notes,
           "a = %g, ta = %g, tb = %g: the extra block, whose form is not confirmed, is "
           "left out",
           p.extra_a, p.ta, p.tb);
    if (p.n * p.m != 0 && !(p.n == std::floor(p.n) && p.m == std::floor(p.m) && p.n > 0 &&
                            p.m > 0 && p.n * p.m <= 64))
      return fail(verdict, Problem::invalid_data,
                  "n = %g, m = %g: the ramp-tracking filter needs small whole numbers", p.n, p.m);
    return valid_codes(p, verdict) && verdict.problem == Problem::none;
  }
  const bool is_ieeest = std::strcmp(name, "ieeest") == 0;
  if (!is_ieeest && std::strcmp(name, "pss1a") != 0)
    return fail(verdict, Problem::not_simulated, "%s is not a simulated stabilizer", name);
  p.kind = is_ieeest ? StabilizerKind::ieeest : StabilizerKind::pss1a;
  p.input_code = read.value("j");
  p.ks = read.value("ks");
  p.t1 = read.value("t1");
  p.t2 = read.time_constant("t2");
  p.t3 = read.value("t3");
  p.t4 = read.time_constant("t4");
  p.a[0] = read.value("a1");
  p.a[1] = read.value("a2");
  if (is_ieeest) {
    p.t5 = read.value("t5");
    p.t6 = read.time_constant("t6");
    for (int i = 2; i < 6; ++i) {
      static constexpr const char* kNames[] = {"a3", "a4", "a5", "a6"};
      p.a[i] = read.value(kNames[i - 2]);
    }
  } else {
    p.t5 = read.time_constant("t5");
    p.t6 = read.time_constant("t6");
    if (read.value("k") != 0) note(notes, "k = %g: the second input is left out", read.value("k"));
  }
  return valid_codes(p, verdict) && verdict.problem == Problem::none;
}

Complex stabilizer_response(const Stabilizer& p, double f_hz, bool second) {
  const Complex s{0.0, 2.0 * kPi * f_hz};
  switch (p.kind) {
    case StabilizerKind::ieeest:
      return second ? Complex{} : ieeest(p, s);
    case StabilizerKind::pss1a:
      return second ? Complex{} : pss1a(p, s);
    case StabilizerKind::pss2a:
      break;
  }
  return pss2a(p, s, second);
}
