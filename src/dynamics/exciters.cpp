// The exciters, their start at the test machine's steady state, and the test machine.
#include "dynamics/exciters.h"

#include <cmath>
#include <cstring>

namespace {

// Limits of a regulator that a record writes as 0 and 0: no limit.
constexpr double kNoLimit = 99.0;

bool inside(Verdict& verdict, const char* what, double v, const char* lo_name, double lo,
            const char* hi_name, double hi) {
  if (v > hi)
    return fail(verdict, Problem::no_start, "%s = %.3f above %s = %.3f", what, v, hi_name, hi);
  if (v < lo)
    return fail(verdict, Problem::no_start, "%s = %.3f below %s = %.3f", what, v, lo_name, lo);
  return true;
}

void add_extra(ExciterExtras& extras, ParameterReader& read, const char* name) {
  const double v = read.value(name);
  if (v == 0 || extras.count == 8) return;
  extras.names[extras.count] = name;
  extras.values[extras.count++] = v;
}

}  // namespace

Machine test_machine() {
  Machine m{};
  m.kind = MachineKind::genrou;
  m.tpdo = 6.0;
  m.tppdo = 0.05;
  m.ld = 1.8;
  m.lpd = 0.3;
  m.lppd = 0.25;
  m.ll = 0.15;
  m.prepare();
  return m;
}

void Exciter::prepare() {
  transducer = rate_of(tr);
  switch (kind) {
    case ExciterKind::st1:
      lead1 = LeadLag{tc, tb};
      lead2 = LeadLag{tc1, tb1};
      regulator = LimitedLag{ka, ta, vamin, vamax};
      feedback = Washout{kf, tf};
      break;
    case ExciterKind::sexs:
      lead1 = LeadLag{tatb * tb, tb};
      regulator = LimitedLag{k, te, emin, emax};
      break;
    case ExciterKind::ieeet1:
      regulator = LimitedLag{ka, ta, vrmin, vrmax};
      feedback = Washout{kf, tf};
      field = rate_of(te);
      break;
  }
}

double Exciter::saturation_term(double e) const {
  if (!saturated || !(e > sat_a)) return 0.0;
  return sat_b * (e - sat_a) * (e - sat_a);
}

double Exciter::efd(const double* s, double vt, double ifd, double vref) const {
  const double vc = tr > 0 ? s[0] : vt;
  switch (kind) {
    case ExciterKind::st1: {
      double va;
      if (ta > 0) {
        va = s[3];
      } else {  // kf = 0 here: no rate feedback
        const double vi = clamp(vref - vc, vimin, vimax);
        va = regulator.output(0.0, lead2.output(s[2], lead1.output(s[1], vi)));
      }
      const double vr = va - klr * std::max(0.0, ifd - ilr);
      return clamp(vr, vt * vrmin, vt * vrmax - kc * ifd);
    }
    case ExciterKind::sexs:
      return regulator.output(s[1], lead1.output(s[0], vref - vt));
    case ExciterKind::ieeet1:
      break;
  }
  return s[2];
}

void Exciter::derivatives(const double* s, double vt, double ifd, double vref, double* ds) const {
  for (int i = 0; i < kStates; ++i) ds[i] = 0.0;
  ds[0] = (vt - s[0]) * transducer;
  const double vc = tr > 0 ? s[0] : vt;
  switch (kind) {
    case ExciterKind::st1: {
      const double va_state = s[3];
      const double vr = va_state - klr * std::max(0.0, ifd - ilr);
      const double vf = ta > 0 ? feedback.output(s[4], vr) : 0.0;
      const double vi = clamp(vref - vc - vf, vimin, vimax);
      const double y1 = lead1.output(s[1], vi);
      const double y2 = lead2.output(s[2], y1);
      ds[1] = lead1.derivative(s[1], vi);
      ds[2] = lead2.derivative(s[2], y1);
      ds[3] = regulator.derivative(s[3], y2);
      ds[4] = ta > 0 ? feedback.derivative(s[4], vr) : 0.0;
      return;
    }
    case ExciterKind::sexs: {
      const double u = vref - vt;
      ds[0] = lead1.derivative(s[0], u);
      ds[1] = regulator.derivative(s[1], lead1.output(s[0], u));
      return;
    }
    case ExciterKind::ieeet1:
      break;
  }
  const double e = s[2];
  const double vf = feedback.output(s[3], e);
  const double u = vref - vc - vf;
  ds[1] = regulator.derivative(s[1], u);
  const double vr = regulator.output(s[1], u);
  ds[2] = (vr - ke * e - saturation_term(e)) * field;
  ds[3] = feedback.derivative(s[3], e);
}

void Exciter::limit(double* s) const {
  switch (kind) {
    case ExciterKind::st1:
      s[3] = regulator.limit(s[3]);
      return;
    case ExciterKind::sexs:
      s[1] = regulator.limit(s[1]);
      return;
    case ExciterKind::ieeet1:
      s[1] = regulator.limit(s[1]);
      return;
  }
}

bool Exciter::start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict) {
  for (int i = 0; i < kStates; ++i) s[i] = 0.0;
  s[0] = vt0;
  switch (kind) {
    case ExciterKind::st1: {
      if (ka == 0) return fail(verdict, Problem::no_start, "ka = 0: the regulator has no gain");
      const double va0 = efd0 + klr * std::max(0.0, ifd0 - ilr);
      const double vi0 = va0 / ka;
      vref0 = vt0 + vi0;
      s[1] = s[2] = vi0;
      s[3] = va0;
      s[4] = efd0;
      return inside(verdict, "Efd0", efd0, "vt vrmin", vt0 * vrmin, "vt vrmax - kc ifd",
                    vt0 * vrmax - kc * ifd0) &&
             inside(verdict, "va0", va0, "vamin", vamin, "vamax", vamax) &&
             inside(verdict, "vi0", vi0, "vimin", vimin, "vimax", vimax);
    }
    case ExciterKind::sexs: {
      if (k == 0) return fail(verdict, Problem::no_start, "k = 0: the regulator has no gain");
      const double y0 = efd0 / k;
      vref0 = vt0 + y0;
      s[0] = y0;
      s[1] = efd0;
      return inside(verdict, "Efd0", efd0, "emin", emin, "emax", emax);
    }
    case ExciterKind::ieeet1:
      break;
  }
  if (ka == 0) return fail(verdict, Problem::no_start, "ka = 0: the regulator has no gain");
  if (ke_computed) ke = -saturation_term(efd0) / efd0;
  const double vr0 = ke * efd0 + saturation_term(efd0);
  vref0 = vt0 + vr0 / ka;
  s[1] = vr0;
  s[2] = efd0;
  s[3] = efd0;
  return inside(verdict, "vr0", vr0, "vrmin", vrmin, "vrmax", vrmax);
}

namespace {

bool make_st1(ParameterReader& read, Exciter& e, Verdict& verdict, Notes& notes, bool exst1) {
  e.kind = ExciterKind::st1;
  e.tr = read.time_constant("tr");
  e.vimax = read.value("vimax");
  e.vimin = read.value("vimin");
  e.tc = read.value("tc");
  e.tb = read.time_constant("tb");
  e.ka = read.value("ka");
  e.ta = read.time_constant("ta");
  e.vrmax = read.value("vrmax");
  e.vrmin = read.value("vrmin");
  e.kc = read.value("kc");
  e.kf = read.value("kf");
  e.tf = read.time_constant("tf");
  e.tc1 = read.value("tc1");
  e.tb1 = read.time_constant("tb1");
  e.vamax = read.value("vamax");
  e.vamin = read.value("vamin");
  e.ilr = read.value("ilr");
  e.klr = read.value("klr");
  if (e.vamax == 0 && e.vamin == 0) {
    e.vamax = kNoLimit;
    e.vamin = -kNoLimit;
    note(notes, "vamax = vamin = 0 taken as no limit");
  }
  if (exst1) {
    add_extra(e.extras, read, "xe");
  } else {
    add_extra(e.extras, read, "uelin");
    add_extra(e.extras, read, "pssin");
  }
  for (int i = 0; i < e.extras.count; ++i)
    note(notes, "%s = %g not simulated", e.extras.names[i], e.extras.values[i]);
  if (e.tb == 0 && e.tc != 0) note(notes, "tc = %g with tb = 0: the lead-lag is bypassed", e.tc);
  if (e.tb1 == 0 && e.tc1 != 0)
    note(notes, "tc1 = %g with tb1 = 0: the lead-lag is bypassed", e.tc1);
  if (e.tf == 0 && e.kf != 0) note(notes, "kf = %g with tf = 0: no rate feedback", e.kf);
  if (verdict.problem != Problem::none) return false;
  if (e.ka == 0) return fail(verdict, Problem::no_start, "ka = 0: the regulator has no gain");
  if (e.ta == 0 && e.kf != 0 && e.tf > 0)
    return fail(verdict, Problem::not_simulated,
                "ta = 0 with kf = %g: the rate feedback makes an algebraic loop", e.kf);
  return true;
}

bool make_sexs(ParameterReader& read, Exciter& e, Verdict& verdict, Notes& notes) {
  e.kind = ExciterKind::sexs;
  e.tatb = read.value("tatb");
  e.tb = read.time_constant("tb");
  e.k = read.value("k");
  e.te = read.time_constant("te");
  e.emin = read.value("emin");
  e.emax = read.value("emax");
  for (const char* name : {"kc", "tc", "efdmin", "efdmax", "tr"}) add_extra(e.extras, read, name);
  if (e.tb == 0 && e.tatb != 0) note(notes, "tb = 0: the lead-lag is bypassed");
  return verdict.problem == Problem::none;
}

bool make_ieeet1(ParameterReader& read, Exciter& e, Verdict& verdict, Notes& notes) {
  e.kind = ExciterKind::ieeet1;
  e.tr = read.time_constant("tr");
  e.ka = read.value("ka");
  e.ta = read.time_constant("ta");
  e.vrmax = read.value("vrmax");
  e.vrmin = read.value("vrmin");
  e.ke = read.value("ke");
  e.te = read.time_constant("te");
  e.kf = read.value("kf");
  e.tf = read.time_constant("tf");
  e.switch_value = read.value("switch");
  e.e1 = read.value("e1");
  e.se1 = read.value("se1");
  e.e2 = read.value("e2");
  e.se2 = read.value("se2");
  if (e.switch_value != 0) note(notes, "switch = %g not simulated", e.switch_value);
  if (e.ke == 0) {
    e.ke_computed = true;
    note(notes, "ke = 0 taken as the ke that starts vr at 0 (a self-excited field)");
  }
  if (verdict.problem != Problem::none) return false;
  if (e.te == 0)
    return fail(verdict, Problem::not_simulated,
                "te = 0: the exciter's field has no time constant");
  if (e.se1 != 0 && e.se2 != 0) {
    const double ratio = e.se1 * e.e1 / (e.se2 * e.e2);
    if (!(ratio > 0) || ratio == 1 || e.e1 == e.e2)
      return fail(verdict, Problem::invalid_data,
                  "e1 = %g, se1 = %g, e2 = %g, se2 = %g: no saturation curve fits the points", e.e1,
                  e.se1, e.e2, e.se2);
    const double a = std::sqrt(ratio);
    e.saturated = true;
    e.sat_a = e.e2 - (e.e1 - e.e2) / (a - 1.0);
    e.sat_b = e.se2 * e.e2 * (a - 1.0) * (a - 1.0) / ((e.e1 - e.e2) * (e.e1 - e.e2));
  }
  return true;
}

}  // namespace

bool make_exciter(const RecordValues& record, Exciter& e, Verdict& verdict, Notes& notes) {
  e = Exciter{};
  ParameterReader read(record, verdict, notes);
  const char* name = record.model->name;
  bool made;
  if (std::strcmp(name, "exst1") == 0 || std::strcmp(name, "esst1a") == 0) {
    made = make_st1(read, e, verdict, notes, name[1] == 'x');
  } else if (std::strcmp(name, "sexs") == 0) {
    made = make_sexs(read, e, verdict, notes);
  } else if (std::strcmp(name, "ieeet1") == 0) {
    made = make_ieeet1(read, e, verdict, notes);
  } else {
    return fail(verdict, Problem::not_simulated, "%s is not a simulated exciter", name);
  }
  if (made) e.prepare();
  return made;
}

void ExciterTest::derivatives(const double* x, double vref, double* dx) const {
  const double vt = machine.terminal_voltage(x);
  const double ifd = machine.field_current(x);
  const double* s = x + Machine::kStates;
  machine.derivatives(x, exciter.efd(s, vt, ifd, vref), dx);
  exciter.derivatives(s, vt, ifd, vref, dx + Machine::kStates);
}

ExciterTest::Output ExciterTest::output(const double* x, double vref) const {
  const double vt = machine.terminal_voltage(x);
  return Output{exciter.efd(x + Machine::kStates, vt, machine.field_current(x), vref), vt};
}
