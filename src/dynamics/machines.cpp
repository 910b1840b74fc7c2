// The generators on open circuit, and the saturation function of their records.
#include "dynamics/machines.h"

#include <cmath>
#include <cstring>

bool fit_saturation(double s1, double s12, Saturation& s, Verdict& verdict) {
  s = Saturation{false, 0.0, 0.0};
  if (s1 == 0) return true;
  if (!(s1 > 0 && s1 < 1.2 * s12))
    return fail(verdict, Problem::invalid_data,
                "s1 = %g, s12 = %g: no saturation curve fits the pair (it needs 0 < s1 < 1.2 s12)",
                s1, s12);
  const double ratio = std::sqrt(s1 / (1.2 * s12));
  s.present = true;
  s.a = 1.2 + 0.2 / (ratio - 1.0);
  s.b = 1.2 * s12 * (ratio - 1.0) * (ratio - 1.0) / 0.04;
  return true;
}

void Machine::prepare() {
  share_eq = (lppd - ll) / (lpd - ll);
  share_kd = (lpd - lppd) / (lpd - ll);
  k1d = (lpd - lppd) * (ld - lpd) / ((lpd - ll) * (lpd - ll));
  current = (ld - lpd) / (lpd - lppd);
  field_rate = 1.0 / tpdo;
  damper_rate = 1.0 / tppdo;
}

double Machine::terminal_voltage(const double* x) const {
  return kind == MachineKind::gentpj ? x[1] : share_eq * x[0] + share_kd * x[1];
}

double Machine::field_current(const double* x) const {
  switch (kind) {
    case MachineKind::genrou: {
      const double flux = share_eq * x[0] + share_kd * x[1];
      return x[0] + k1d * (x[0] - x[1]) + saturation.of(flux) * flux;
    }
    case MachineKind::gensal:
      return x[0] + k1d * (x[0] - x[1]) + saturation.of(x[0]) * x[0];
    case MachineKind::gentpj:
      break;
  }
  const double dsat = 1.0 + saturation.of(x[1]);
  return dsat * (x[0] + current * (x[0] - x[1]));
}

void Machine::derivatives(const double* x, double efd, double* dx) const {
  dx[0] = (efd - field_current(x)) * field_rate;
  if (kind == MachineKind::gentpj) {
    dx[1] = (1.0 + saturation.of(x[1])) * (x[0] - x[1]) * damper_rate;
  } else {
    dx[1] = (x[0] - x[1]) * damper_rate;
  }
}

double Machine::start(double vt0, double* x) const {
  x[0] = x[1] = vt0;
  return field_current(x);
}

bool make_machine(const RecordValues& record, Machine& m, Verdict& verdict, Notes& notes) {
  m = Machine{};
  ParameterReader read(record, verdict, notes);
  const char* name = record.model->name;
  if (std::strcmp(name, "genrou") == 0) {
    m.kind = MachineKind::genrou;
  } else if (std::strcmp(name, "gensal") == 0) {
    m.kind = MachineKind::gensal;
  } else if (std::strcmp(name, "gentpj") == 0 || std::strcmp(name, "gentpf") == 0) {
    m.kind = MachineKind::gentpj;
  } else {
    return fail(verdict, Problem::not_simulated, "%s is not a simulated generator", name);
  }
  m.tpdo = read.time_constant("tpdo");
  m.tppdo = read.time_constant("tppdo");
  m.ld = read.value("ld");
  m.lpd = read.value("lpd");
  m.lppd = read.value("lppd");
  m.ll = read.value("ll");
  if (verdict.problem != Problem::none) return false;
  if (m.tpdo == 0)
    return fail(verdict, Problem::no_start, "tpdo = 0: the field has no time constant");
  if (m.tppdo == 0)
    return fail(verdict, Problem::no_start,
                "tppdo = 0: the subtransient circuit has no time constant");
  if (m.kind == MachineKind::gentpj ? m.lpd == m.lppd : m.lpd == m.ll)
    return fail(verdict, Problem::no_start, "lpd = %g equals %s: %s divides by their difference",
                m.lpd, m.kind == MachineKind::gentpj ? "lppd" : "ll", name);
  if (!fit_saturation(read.value("s1"), read.value("s12"), m.saturation, verdict)) return false;
  m.prepare();
  return true;
}
