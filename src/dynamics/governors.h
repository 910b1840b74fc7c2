// The governors, with speed deviation dw as input and mechanical power Pm (per unit of
// the unit's MW capacity) as output: tgov1, ieeeg1, gast (its core) and hygov. Each is
// made from a record's values, started at the steady state of a power P0, and then runs
// under the integrator.
#pragma once
#include "dynamics/blocks.h"
#include "dynamics/record_values.h"

// tgov1: droop, valve lag with non-windup limits, reheater lead-lag, damping.
struct Tgov1 {
  static constexpr int kStates = 2;  // valve, reheater
  double r, t1, vmax, vmin, t2, t3, dt;
  double p0;
  double droop_gain;  // 1/r
  LimitedLag valve;
  LeadLag reheater;
  void prepare();  // the blocks, from the values
  void derivatives(const double* x, double dw, double* dx) const;
  void limit(double* x) const;
  double output(const double* x, double dw) const;
};

// ieeeg1: speed lead-lag and gain, gate servo with rate and position limits, four
// turbine stages; the test's output is the sum of both shafts' power.
struct Ieeeg1 {
  static constexpr int kStates = 6;  // lead-lag, gate, four stages
  double k, t1, t2, t3, uo, uc, pmax, pmin;
  double t[4];   // t4 t5 t6 t7
  double kh[4];  // k1 k3 k5 k7
  double kl[4];  // k2 k4 k6 k8
  double g0;
  LeadLag speed;    // (1 + s t2)/(1 + s t1) of -dw
  double servo;     // 1/t3, 0 for t3 = 0
  Lag stages[4];    // Lag(1, t4) ... Lag(1, t7)
  double share[4];  // k1 + k2, ... k7 + k8: both shafts
  void prepare();
  void derivatives(const double* x, double dw, double* dx) const;
  void limit(double* x) const;
  double output(const double* x, double dw) const;
  double gate(const double* x, double dw) const;  // the gate position, algebraic with t3 = 0
};

// gast, its core: droop, temperature limit, valve lag with non-windup limits, fuel lag,
// exhaust temperature lag, damping. Its extras (fidle ... t5) are not simulated.
struct Gast {
  static constexpr int kStates = 3;  // valve, fuel, exhaust temperature
  double r, t1, t2, t3, lmax, kt, vmax, vmin, dturb;
  double p0;
  double droop_gain;
  LimitedLag valve;
  Lag fuel;
  Lag exhaust;
  void prepare();
  void derivatives(const double* x, double dw, double* dx) const;
  void limit(double* x) const;
  double output(const double* x, double dw) const;
  double valve_demand(const double* x, double dw) const;
};

// hygov: PI governor with temporary droop, gate servo, nonlinear penstock and turbine.
// The velocity limit acts on the integral part of the governor.
struct Hygov {
  static constexpr int kStates = 4;  // filter xf, integral xi, gate g, flow q
  double r, rr, tr, tf, tg, velm, gmax, gmin, tw, at, dturb, qnl;
  double nref;
  double filter, servo, water;  // 1/tf, 1/tg, 1/tw (0 for a time constant of 0)
  double proportional;          // 1/rr
  double integral;              // 1/(rr tr)
  void prepare();
  void derivatives(const double* x, double dw, double* dx) const;
  void limit(double*) const {}
  double output(const double* x, double dw) const;
};

// What the governor test needs of the OLD model to choose P0: its steady change of Pm
// for the speed step, and the highest and lowest steady Pm its limits allow.
struct SteadyRange {
  double change;
  double upper;
  double lower;
};

enum class GovernorKind : unsigned char { tgov1, ieeeg1, gast, hygov };

// The parameters of a record that the simulation does not use (deadbands, valve
// curves, gast's extras), where they differ from their neutral value.
constexpr int kMaxExtras = 24;
struct Extras {
  int count;
  const char* names[kMaxExtras];
  double values[kMaxExtras];
};

// One governor of a record.
struct Governor {
  GovernorKind kind;
  bool hydro;  // the test runs 60 s
  Extras extras;
  // The model of `kind`; the others are not used.
  Tgov1 tgov1;
  Ieeeg1 ieeeg1;
  Gast gast;
  Hygov hygov;
  double x[6];  // the state
};

// Reads the governor of a record (its model one of the four); false, with the verdict,
// when its values cannot make one. The extras not simulated go into the notes.
bool make_governor(const RecordValues& record, Governor& governor, Verdict& verdict, Notes& notes);

// The steady range of a governor made by make_governor.
SteadyRange steady_range(const Governor& governor);

// Starts the governor at the steady state of Pm = p0 (speed deviation 0); false, with
// the value and the limit that exclude it, when it cannot.
bool start_governor(Governor& governor, double p0, Verdict& verdict);

// Runs the test's speed step from the started state for `steps` steps, writing Pm at
// every sample into pm[0..steps].
void run_governor(Governor& governor, int steps, double* pm);

// The speed deviation of the governor test at step n: -0.004 pu from t = 1 s on.
constexpr double kSpeedStep = -0.004;
inline double speed_at(int n) { return n >= kStepsPerSecond ? kSpeedStep : 0.0; }
