// ggov1, the general governor: a PID on the speed and load error with its droop taken
// from electrical power, valve stroke or governor output (rselect), a load limiter on the
// exhaust temperature and an acceleration limiter in a low-value select, a rate-limited
// actuator, fuel proportional to speed (flag), a turbine with a transport delay (teng)
// and a lead-lag, and a supervisory load controller (kimw). Where its sources differ, the
// choices (rselect codes, anti-windup, the limiters' forms) are the ones the guide lists.
#pragma once
#include <algorithm>
#include <cmath>

#include "dynamics/blocks.h"
#include "dynamics/extras.h"
#include "dynamics/governors/governor_io.h"
#include "dynamics/real_math.h"

struct Ggov1 : GovernorDefaults {
  static constexpr const char* kModels[] = {"ggov1"};
  // The states, then two values held over each step: the governor output at the step's
  // start (the acceleration limiter's one-sample memory) and the delayed turbine power.
  enum Slot { kXpe, kXmw, kXd, kXi, kXa, kXact, kXtb, kXts, kXtf, kXld, kHeldFsr, kHeldUd };
  static constexpr int kStates = 12;

  double r, rselect, tpelec, maxerr, minerr, kpgov, kigov, kdgov, tdgov, vmax, vmin, tact, kturb,
      wfnl, tb, tc, flag, teng, tfload, kpload, kiload, ldref, dm, ropen, rclose, kimw, aset, ka,
      ta, db, tsa, tsb, rup, rdown;
  double pref;          // the speed/load reference that holds P0
  double p0;            // the supervisory load set point (P0)
  int delay;            // the transport delay in steps (0: none)
  double* line;         // the delay line, kMaxDelaySteps + 1 values of the runner's
  bool linear;          // for the linearisation: no memory, no delay, no deadband
  Lag transducer;       // xpe of Pe
  Washout derivative;   // kdgov s/(1 + s tdgov) of the error
  LeadLag temperature;  // LL(tsa, tsb) of the temperature signal
  Lag load_filter;      // Lag(1, tfload): the exhaust temperature texm
  LeadLag turbine;      // LL(tc, tb) of the delayed turbine power

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  SteadyRange steady_range(double step) const;
  Damping damping() const { return {"dm", dm}; }
  bool droop_through_pe() const { return rselect == 1 && r != 0; }
  bool start(double p, double* x, Verdict& verdict);
  void for_linearisation() {
    linear = true;
    delay = 0;
    db = 0;
  }
  void use_delay_line(double* room) { line = room; }

  // The signals of one evaluation.
  struct Signals {
    double fsr;  // the low-value select's output, clamped
    double e;    // the speed/load error after the deadband and its clamp
    double d;    // the derivative term
    double cfe;  // fuel
    double ts;   // the temperature lead-lag's input, and its output
    double tso;
    double texm;  // the exhaust temperature
  };
  double error_of(const double* x, GovernorInput u, double fsr) const {
    const double sel = rselect == 1    ? x[kXpe]
                       : rselect == -1 ? x[kXact]
                       : rselect == -2 ? fsr
                                       : 0.0;
    double err = pref + x[kXmw] - u.dw - r * sel;
    if (db > 0) err = std::fabs(err) <= db ? 0.0 : err > 0 ? err - db : err + db;
    return clamp(err, minerr, maxerr);
  }
  double fuel(const double* x, double dw) const {
    return flag == 1 ? x[kXact] * (1.0 + dw) : x[kXact];
  }
  // The governor output for a given droop signal (rselect -2 feeds fsr back).
  // s.ts, s.tso and s.texm already hold the temperature signals (they do not depend on the
  // droop signal).
  double select(const double* x, GovernorInput u, double fsr_in, double held, Signals& s) const {
    s.e = error_of(x, u, fsr_in);
    s.d = tdgov > 0 ? derivative.output(x[kXd], s.e) : 0.0;
    const double fsrn = kpgov * s.e + x[kXi] + s.d;
    const double fsrt = kpload * (ldref / kturb + wfnl - s.texm) + x[kXld];
    double low = std::min(fsrn, fsrt);
    if (!linear) {
      // The acceleration limiter: its factor is ka times the step (a choice).
      const double accel = ta > 0 ? (u.dw - x[kXa]) / ta : 0.0;
      low = std::min(low, held + ka * kStep * (aset - accel));
    }
    return clamp(low, vmin, vmax);
  }
  double ux(const double* x, double dw) const {
    const double cfe = fuel(x, dw);
    return dm < 0 ? cfe * power_of(1.0 + dw, dm) : cfe;
  }
  Signals signals(const double* x, GovernorInput u) const {
    const double held = x[kHeldFsr];
    Signals s{};
    s.ts = ux(x, u.dw);
    s.tso = temperature.output(x[kXts], s.ts);
    s.texm = load_filter.output(x[kXtf], s.tso);
    if (rselect == -2 && (kpgov != 0 || kdgov != 0)) {
      // fsr depends on itself: the one root of select(f) = f, which falls with f, in
      // [vmin, vmax], found by halving.
      double lo = vmin;
      double hi = vmax;
      for (int i = 0; i < 80 && hi - lo > 1e-15 * (1.0 + std::fabs(hi)); ++i) {
        const double mid = 0.5 * (lo + hi);
        if (select(x, u, mid, held, s) > mid) {
          lo = mid;
        } else {
          hi = mid;
        }
      }
      s.fsr = 0.5 * (lo + hi);
    } else {
      s.fsr = select(x, u, 0.0, held, s);  // the output does not depend on the droop signal
    }
    if (rselect == -2) {
      // The error and the derivative term at the governor output found.
      s.e = error_of(x, u, s.fsr);
      s.d = tdgov > 0 ? derivative.output(x[kXd], s.e) : 0.0;
    }
    s.cfe = fuel(x, u.dw);
    return s;
  }
  double turbine_power(const double* x, double dw) const { return kturb * (fuel(x, dw) - wfnl); }
  double delayed_power(const double* x, double dw) const {
    return delay == 0 ? turbine_power(x, dw) : x[kHeldUd];
  }

  // At every step's start: the governor output that the acceleration limiter holds, and
  // the turbine power of `delay` steps before.
  void begin_step(int n, double* x, GovernorInput u) const {
    if (linear) return;
    x[kHeldFsr] = signals(x, u).fsr;
    if (delay == 0) return;
    line[n % (delay + 1)] = turbine_power(x, u.dw);
    x[kHeldUd] = n < delay ? line[0] : line[(n - delay) % (delay + 1)];
  }
  void derivatives(const double* x, GovernorInput u, double* dx) const {
    const Signals s = signals(x, u);
    dx[kXpe] = transducer.derivative(x[kXpe], u.pe);
    const double xpe = transducer.output(x[kXpe], u.pe);
    dx[kXmw] = rate_and_position(kimw * (p0 - xpe), x[kXmw], -1e300, 1e300, -1.1 * r, 1.1 * r);
    dx[kXd] = derivative.derivative(x[kXd], s.e);
    if (kpgov > 0) {
      dx[kXi] = kigov / kpgov * (s.fsr - x[kXi]);
    } else {
      dx[kXi] = rate_and_position(kigov * s.e, x[kXi], -1e300, 1e300, vmin, vmax);
    }
    dx[kXa] = ta > 0 ? (u.dw - x[kXa]) / ta : 0.0;
    dx[kXact] = rate_and_position((s.fsr - x[kXact]) / tact, x[kXact], rclose, ropen, vmin, vmax);
    dx[kXtb] = turbine.derivative(x[kXtb], delayed_power(x, u.dw));
    dx[kXts] = temperature.derivative(x[kXts], s.ts);
    dx[kXtf] = load_filter.derivative(x[kXtf], s.tso);
    if (kpload > 0) {
      dx[kXld] = clamp(kiload / kpload * (s.fsr - x[kXld]), rdown, rup);
    } else {
      dx[kXld] = rate_and_position(kiload * (ldref / kturb + wfnl - s.texm), x[kXld], rdown, rup,
                                   vmin, vmax);
    }
    dx[kHeldFsr] = dx[kHeldUd] = 0.0;
  }
  void limit(double* x) const {
    x[kXmw] = clamp(x[kXmw], -1.1 * r, 1.1 * r);
    if (kpgov <= 0) x[kXi] = clamp(x[kXi], vmin, vmax);
    x[kXact] = clamp(x[kXact], vmin, vmax);
    if (kpload <= 0) x[kXld] = clamp(x[kXld], vmin, vmax);
  }
  double output(const double* x, GovernorInput u) const {
    const double pturb = turbine.output(x[kXtb], delayed_power(x, u.dw));
    return dm >= 0 ? pturb - dm * u.dw : pturb;
  }
};
