// What every governor model takes and gives: its inputs (the speed deviation and the
// electrical power), and what the tests ask of it besides Pm.
//
// A governor model M is a struct with:
//   kModels             the catalogue's names it simulates
//   kStates             the size of its state
//   make(read, extras, verdict, notes)   its values from a record (false: it cannot run)
//   hydro()             the test runs 60 s instead of 30
//   steady_range(step)  what the choice of P0 needs (SteadyRange), for a speed step of
//                       that size (pu, positive)
//   damping()           its damping term on speed, if it has one (Damping)
//   start(p0, x, verdict)  the steady state of Pm = p0, from its blocks' init
//   derivatives(x, u, dx), limit(x), output(x, u)  for the integrator; the output is Pm
//   droop_through_pe()  its droop acts through electrical power, which the speed step
//                       holds: that test cannot judge it
//   for_linearisation() drops what has no linear form (a one-sample memory, a delay,
//                       a deadband) before the isolated unit is linearised at rest
//   use_delay_line(p)   the runner's room for a transport delay (kMaxDelaySteps + 1)
// GovernorDefaults below gives the usual form of all but the first eight.
#pragma once
#include "dynamics/blocks.h"

// The inputs of a governor over one step: speed deviation dw (pu) and electrical power
// pe (pu of the unit's capacity; the governors that read it do so through a transducer).
struct GovernorInput {
  double dw;
  double pe;
};

// What the governor test needs of the OLD model to choose P0: its steady change of Pm
// for the test's step, and the highest and lowest steady Pm its limits allow.
struct SteadyRange {
  double change;
  double upper;
  double lower;
};

// A damping term on speed (tgov1's dt, gast's and hygov's dturb): its name and value;
// name nullptr for a model that has none.
struct Damping {
  const char* name;
  double value;
};

// The longest transport delay a governor's delay line holds: 10 s, in steps.
constexpr int kMaxDelaySteps = 10 * kStepsPerSecond;

// What a governor model has unless it says otherwise: no hydro window, no damping term,
// no non-windup limit, no droop through electrical power, nothing to change for its
// linearisation, no delay line.
struct GovernorDefaults {
  bool hydro() const { return false; }
  Damping damping() const { return {nullptr, 0.0}; }
  void limit(double*) const {}
  bool droop_through_pe() const { return false; }
  void for_linearisation() {}
  void use_delay_line(double*) {}
};
