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
// GovernorDefaults below gives hydro(), damping() and limit() their usual form.
#pragma once

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

// What a governor model has unless it says otherwise: no hydro window, no damping term,
// no non-windup limit.
struct GovernorDefaults {
  bool hydro() const { return false; }
  Damping damping() const { return {nullptr, 0.0}; }
  void limit(double*) const {}
};
