// The governors: their equations, how a record's values make them, and their start.
#include "dynamics/governors.h"

#include <cmath>
#include <cstring>

#include "dynamics/heun.h"

// tgov1 ------------------------------------------------------------------------------

void Tgov1::prepare() {
  droop_gain = 1.0 / r;
  valve = LimitedLag{1.0, t1, vmin, vmax};
  reheater = LeadLag{t2, t3};
}

void Tgov1::derivatives(const double* x, double dw, double* dx) const {
  const double demand = p0 - dw * droop_gain;
  dx[0] = valve.derivative(x[0], demand);
  dx[1] = reheater.derivative(x[1], valve.output(x[0], demand));
}

void Tgov1::limit(double* x) const { x[0] = valve.limit(x[0]); }

double Tgov1::output(const double* x, double dw) const {
  const double v = valve.output(x[0], p0 - dw * droop_gain);
  return reheater.output(x[1], v) - dt * dw;
}

// ieeeg1 -----------------------------------------------------------------------------

void Ieeeg1::prepare() {
  speed = LeadLag{t2, t1};
  servo = rate_of(t3);
  for (int i = 0; i < 4; ++i) {
    stages[i] = Lag{1.0, t[i]};
    share[i] = kh[i] + kl[i];
  }
}

double Ieeeg1::gate(const double* x, double dw) const {
  return t3 > 0 ? x[1] : clamp(g0 + k * speed.output(x[0], -dw), pmin, pmax);
}

void Ieeeg1::derivatives(const double* x, double dw, double* dx) const {
  dx[0] = speed.derivative(x[0], -dw);
  const double ys = k * speed.output(x[0], -dw);
  double g;
  if (t3 > 0) {
    g = x[1];
    dx[1] = rate_and_position((g0 + ys - g) * servo, g, uc, uo, pmin, pmax);
  } else {
    g = clamp(g0 + ys, pmin, pmax);
    dx[1] = 0.0;
  }
  for (int i = 0; i < 4; ++i) {
    dx[2 + i] = stages[i].derivative(x[2 + i], g);
    g = stages[i].output(x[2 + i], g);
  }
}

void Ieeeg1::limit(double* x) const {
  if (t3 > 0) x[1] = clamp(x[1], pmin, pmax);
}

double Ieeeg1::output(const double* x, double dw) const {
  double g = gate(x, dw);
  double pm = 0.0;
  for (int i = 0; i < 4; ++i) {
    g = stages[i].output(x[2 + i], g);  // a stage of time constant 0 passes its input on
    pm += share[i] * g;
  }
  return pm;
}

// gast -------------------------------------------------------------------------------

void Gast::prepare() {
  droop_gain = 1.0 / r;
  valve = LimitedLag{1.0, t1, vmin, vmax};
  fuel = Lag{1.0, t2};
  exhaust = Lag{1.0, t3};
}

// The demand on the valve: the speed governor's, or the temperature limit's where that
// is lower. The exhaust temperature is its lag's state, or with t3 = 0 the fuel's.
double Gast::valve_demand(const double* x, double dw) const {
  const double fuel_state = t2 > 0 ? x[1] : x[0];
  const double temperature = t3 > 0 ? x[2] : fuel_state;
  return std::min(p0 - dw * droop_gain, lmax + kt * (lmax - temperature));
}

void Gast::derivatives(const double* x, double dw, double* dx) const {
  const double u = valve_demand(x, dw);
  dx[0] = valve.derivative(x[0], u);
  const double v = valve.output(x[0], u);
  dx[1] = fuel.derivative(x[1], v);
  dx[2] = exhaust.derivative(x[2], fuel.output(x[1], v));
}

void Gast::limit(double* x) const { x[0] = valve.limit(x[0]); }

double Gast::output(const double* x, double dw) const {
  const double v = valve.output(x[0], valve_demand(x, dw));
  return fuel.output(x[1], v) - dturb * dw;
}

// hygov ------------------------------------------------------------------------------

namespace {

// The gate below which the turbine flow equation is not evaluated.
constexpr double kClosedGate = 1e-6;

}  // namespace

void Hygov::prepare() {
  filter = rate_of(tf);
  servo = rate_of(tg);
  water = rate_of(tw);
  proportional = 1.0 / rr;
  integral = 1.0 / (rr * tr);
}

void Hygov::derivatives(const double* x, double dw, double* dx) const {
  const double desired = x[0] * proportional + x[1];
  const double c = clamp(desired, gmin, gmax);
  const double e = nref - dw - r * c;
  dx[0] = (e - x[0]) * filter;
  double rise = clamp(x[0] * integral, -velm, velm);
  if ((desired >= gmax && rise > 0) || (desired <= gmin && rise < 0)) rise = 0.0;
  dx[1] = rise;
  dx[2] = (c - x[2]) * servo;
  const double gate = std::max(tg > 0 ? x[2] : c, kClosedGate);
  const double head = (x[3] / gate) * (x[3] / gate);
  dx[3] = (1.0 - head) * water;
}

double Hygov::output(const double* x, double dw) const {
  const double c = clamp(x[0] * proportional + x[1], gmin, gmax);
  const double gate = std::max(tg > 0 ? x[2] : c, kClosedGate);
  const double flow = tw > 0 ? x[3] : gate;
  const double head = (flow / gate) * (flow / gate);
  return at * head * (flow - qnl) - dturb * dw * gate;
}

// Making, starting and running ------------------------------------------------------

namespace {

void add_extra(Extras& extras, ParameterReader& read, const char* name, double neutral) {
  const double v = read.value(name);
  if (v == neutral || extras.count == kMaxExtras) return;
  extras.names[extras.count] = name;
  extras.values[extras.count++] = v;
}

// The deadbands and the valve curve (gv1, pgv1 ... gv6, pgv6), neutral at 0.
void add_deadbands_and_curve(Extras& extras, ParameterReader& read) {
  static constexpr const char* kNames[] = {"db1",  "eps",  "db2",  "gv1",  "pgv1",
                                           "gv2",  "pgv2", "gv3",  "pgv3", "gv4",
                                           "pgv4", "gv5",  "pgv5", "gv6",  "pgv6"};
  for (const char* name : kNames) add_extra(extras, read, name, 0.0);
}

bool make_tgov1(ParameterReader& read, Governor& g, Verdict& verdict) {
  Tgov1& m = g.tgov1;
  m.r = read.divisor("r");
  m.t1 = read.time_constant("t1");
  m.vmax = read.value("vmax");
  m.vmin = read.value("vmin");
  m.t2 = read.value("t2");
  m.t3 = read.time_constant("t3");
  m.dt = read.value("dt");
  g.hydro = m.t2 < 0;  // a negative lead imitates a hydro unit
  if (m.vmin > m.vmax)
    return fail(verdict, Problem::no_start, "vmin = %g above vmax = %g", m.vmin, m.vmax);
  m.prepare();
  return verdict.problem == Problem::none;
}

bool make_ieeeg1(ParameterReader& read, Governor& g, Verdict& verdict, Notes& notes) {
  Ieeeg1& m = g.ieeeg1;
  m.k = read.value("k");
  m.t1 = read.time_constant("t1");
  m.t2 = read.value("t2");
  m.t3 = read.time_constant("t3");
  m.uo = read.value("uo");
  m.uc = read.value("uc");
  m.pmax = read.value("pmax");
  m.pmin = read.value("pmin");
  static constexpr const char* kTimes[] = {"t4", "t5", "t6", "t7"};
  static constexpr const char* kHigh[] = {"k1", "k3", "k5", "k7"};
  static constexpr const char* kLow[] = {"k2", "k4", "k6", "k8"};
  double sum = 0.0;
  for (int i = 0; i < 4; ++i) {
    m.t[i] = read.time_constant(kTimes[i]);
    m.kh[i] = read.value(kHigh[i]);
    m.kl[i] = read.value(kLow[i]);
    sum += m.kh[i] + m.kl[i];
    if (m.kl[i] != 0)
      note(notes, "%s = %g: cross-compound data, both shafts summed", kLow[i], m.kl[i]);
  }
  if (m.t1 == 0 && m.t2 != 0)
    note(notes, "t2 = %g with t1 = 0: the speed lead-lag is bypassed", m.t2);
  add_deadbands_and_curve(g.extras, read);
  if (verdict.problem != Problem::none) return false;
  if (!(sum > 0)) return fail(verdict, Problem::no_start, "k1 + ... + k8 = %g: no power", sum);
  if (m.pmin > m.pmax)
    return fail(verdict, Problem::no_start, "pmin = %g above pmax = %g", m.pmin, m.pmax);
  if (m.t3 > 0 && (m.uc > 0 || m.uo < 0))
    return fail(verdict, Problem::no_start, "uc = %g, uo = %g: the gate cannot rest", m.uc, m.uo);
  m.prepare();
  return true;
}

bool make_gast(ParameterReader& read, Governor& g, Verdict& verdict, Notes& notes) {
  Gast& m = g.gast;
  m.r = read.divisor("r");
  m.t1 = read.time_constant("t1");
  m.t2 = read.time_constant("t2");
  m.t3 = read.time_constant("t3");
  m.lmax = read.value("lmax");
  m.kt = read.value("kt");
  m.vmax = read.value("vmax");
  m.vmin = read.value("vmin");
  m.dturb = read.value("dturb");
  // The extras, whose roles are not confirmed, at their neutral values.
  static constexpr struct {
    const char* name;
    double neutral;
  } kExtras[] = {{"fidle", 0}, {"rmax", 99}, {"linc", 99}, {"tltr", 10}, {"ltrat", 99},
                 {"a", 0},     {"b", 1},     {"ka", 0},    {"t4", 0},    {"t5", 0}};
  for (const auto& e : kExtras) add_extra(g.extras, read, e.name, e.neutral);
  add_deadbands_and_curve(g.extras, read);
  if (g.extras.count > 0) note(notes, "gast: core only, its extras not simulated");
  if (verdict.problem != Problem::none) return false;
  if (m.t1 == 0 && m.t2 == 0 && m.t3 == 0)
    return fail(verdict, Problem::not_simulated,
                "t1 = t2 = t3 = 0: the temperature limit makes an algebraic loop");
  if (m.vmin > m.vmax)
    return fail(verdict, Problem::no_start, "vmin = %g above vmax = %g", m.vmin, m.vmax);
  m.prepare();
  return true;
}

bool make_hygov(ParameterReader& read, Governor& g, Verdict& verdict) {
  Hygov& m = g.hygov;
  g.hydro = true;
  m.r = read.divisor("r");
  m.rr = read.divisor("rr");
  m.tr = read.time_constant("tr");
  m.tf = read.time_constant("tf");
  m.tg = read.time_constant("tg");
  m.velm = read.value("velm");
  m.gmax = read.value("gmax");
  m.gmin = read.value("gmin");
  m.tw = read.time_constant("tw");
  m.at = read.divisor("at");
  m.dturb = read.value("dturb");
  m.qnl = read.value("qnl");
  if (verdict.problem != Problem::none) return false;
  if (m.tr == 0) return fail(verdict, Problem::no_start, "tr = 0: the governor's PI divides by it");
  if (m.tf == 0)
    return fail(verdict, Problem::not_simulated, "tf = 0: the filter makes an algebraic loop");
  if (m.gmin > m.gmax)
    return fail(verdict, Problem::no_start, "gmin = %g above gmax = %g", m.gmin, m.gmax);
  m.prepare();
  return true;
}

}  // namespace

bool make_governor(const RecordValues& record, Governor& g, Verdict& verdict, Notes& notes) {
  g = Governor{};
  ParameterReader read(record, verdict, notes);
  const char* name = record.model->name;
  if (std::strcmp(name, "tgov1") == 0) {
    g.kind = GovernorKind::tgov1;
    return make_tgov1(read, g, verdict);
  }
  if (std::strcmp(name, "ieeeg1") == 0) {
    g.kind = GovernorKind::ieeeg1;
    return make_ieeeg1(read, g, verdict, notes);
  }
  if (std::strcmp(name, "gast") == 0) {
    g.kind = GovernorKind::gast;
    return make_gast(read, g, verdict, notes);
  }
  if (std::strcmp(name, "hygov") == 0) {
    g.kind = GovernorKind::hygov;
    return make_hygov(read, g, verdict);
  }
  return fail(verdict, Problem::not_simulated, "%s is not a simulated governor", name);
}

SteadyRange steady_range(const Governor& g) {
  const double change = -kSpeedStep;
  switch (g.kind) {
    case GovernorKind::tgov1:
      return SteadyRange{change / g.tgov1.r, g.tgov1.vmax, g.tgov1.vmin};
    case GovernorKind::ieeeg1: {
      const Ieeeg1& m = g.ieeeg1;
      double sum = 0.0;
      for (int i = 0; i < 4; ++i) sum += m.kh[i] + m.kl[i];
      return SteadyRange{change * m.k * sum, sum * m.pmax, sum * m.pmin};
    }
    case GovernorKind::gast:
      return SteadyRange{change / g.gast.r, std::min(g.gast.vmax, g.gast.lmax), g.gast.vmin};
    case GovernorKind::hygov:
      break;
  }
  const Hygov& m = g.hygov;
  return SteadyRange{m.at * change / m.r, m.at * (m.gmax - m.qnl),
                     m.at * std::max(0.0, m.gmin - m.qnl)};
}

namespace {

bool inside(Verdict& verdict, const char* what, double v, const char* lo_name, double lo,
            const char* hi_name, double hi) {
  if (v > hi)
    return fail(verdict, Problem::no_start, "%s = %.3f above %s = %.3f", what, v, hi_name, hi);
  if (v < lo)
    return fail(verdict, Problem::no_start, "%s = %.3f below %s = %.3f", what, v, lo_name, lo);
  return true;
}

}  // namespace

bool start_governor(Governor& g, double p0, Verdict& verdict) {
  double* x = g.x;
  switch (g.kind) {
    case GovernorKind::tgov1:
      g.tgov1.p0 = p0;
      x[0] = x[1] = p0;
      return inside(verdict, "P0", p0, "vmin", g.tgov1.vmin, "vmax", g.tgov1.vmax);
    case GovernorKind::ieeeg1: {
      Ieeeg1& m = g.ieeeg1;
      double sum = 0.0;
      for (int i = 0; i < 4; ++i) sum += m.kh[i] + m.kl[i];
      m.g0 = p0 / sum;
      x[0] = 0.0;
      for (int i = 1; i < 6; ++i) x[i] = m.g0;
      return inside(verdict, "g0", m.g0, "pmin", m.pmin, "pmax", m.pmax);
    }
    case GovernorKind::gast:
      g.gast.p0 = p0;
      x[0] = x[1] = x[2] = p0;
      if (p0 > g.gast.lmax)
        return fail(verdict, Problem::no_start,
                    "P0 = %.3f above lmax = %.3f: the temperature limit is in control", p0,
                    g.gast.lmax);
      return inside(verdict, "P0", p0, "vmin", g.gast.vmin, "vmax", g.gast.vmax);
    case GovernorKind::hygov:
      break;
  }
  Hygov& m = g.hygov;
  const double c0 = p0 / m.at + m.qnl;
  x[0] = 0.0;
  x[1] = x[2] = x[3] = c0;
  m.nref = m.r * c0;
  if (c0 <= 0) return fail(verdict, Problem::no_start, "g0 = %.3f: the gate cannot be open", c0);
  return inside(verdict, "g0", c0, "gmin", m.gmin, "gmax", m.gmax);
}

void run_governor(Governor& g, int steps, double* pm) {
  const auto input = [](int n) { return speed_at(n); };
  const auto sample = [pm](int n, double y) { pm[n] = y; };
  switch (g.kind) {
    case GovernorKind::tgov1:
      run_heun(g.tgov1, g.x, steps, input, sample);
      return;
    case GovernorKind::ieeeg1:
      run_heun(g.ieeeg1, g.x, steps, input, sample);
      return;
    case GovernorKind::gast:
      run_heun(g.gast, g.x, steps, input, sample);
      return;
    case GovernorKind::hygov:
      run_heun(g.hygov, g.x, steps, input, sample);
      return;
  }
}
