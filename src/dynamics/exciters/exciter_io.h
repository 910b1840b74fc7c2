// What every exciter model takes and gives on the test machine.
//
// An exciter model M is a struct with:
//   kModels, kStates    the catalogue's names it simulates, the size of its state
//   make(read, extras, verdict, notes)  its values from a record (false: it cannot run)
//   start(vt0, efd0, ifd0, x, verdict)  the steady state that gives Efd0 at Vt0 and Ifd0,
//                       from the output back to the input; sets vref0
//   vref0               the voltage reference that holds the start
//   derivatives(x, u, dx), limit(x), efd(x, u)  for the integrator; the output is Efd
//   told()              the record falls under a convention every conversion from or to
//                       it must tell (ieeet1's ke = 0)
//   kExtrasDiffer       what to say when OLD and NEW of this model differ in the values
//                       the test does not run; nullptr where that is not compared
//   unseen_source()     a bus-fed source's values the open-circuit test cannot see
// ExciterDefaults below gives vref0, told(), kExtrasDiffer and unseen_source() their usual
// form.
#pragma once
#include "dynamics/exciters/sources.h"

// The inputs of an exciter over one step: the machine's terminal voltage and field
// current, and the voltage reference. The stabilizer input is 0 in the test.
struct ExciterInput {
  double vt;
  double ifd;
  double vref;
};

// What an exciter model has unless it says otherwise.
struct ExciterDefaults {
  static constexpr const char* kExtrasDiffer = nullptr;
  double vref0;
  bool told() const { return false; }
  UnseenSource unseen_source() const { return {}; }
};
