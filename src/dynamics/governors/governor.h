// The governor family: one struct per simulated governor (governor_io.h says what each
// offers), made from a record's values, and the calls the tests make on whichever it is.
#pragma once
#include <variant>

#include "dynamics/extras.h"
#include "dynamics/family.h"
#include "dynamics/governors/gast.h"
#include "dynamics/governors/ggov1.h"
#include "dynamics/governors/hyg3.h"
#include "dynamics/governors/hygov.h"
#include "dynamics/governors/ieeeg1.h"
#include "dynamics/governors/ieeeg3.h"
#include "dynamics/governors/pidgov.h"
#include "dynamics/governors/tgov1.h"
#include "dynamics/record_values.h"

using GovernorModel = std::variant<Tgov1, Ieeeg1, Gast, Hygov, Ggov1, Hyg3, Ieeeg3, Pidgov>;
constexpr int kMaxGovernorStates = kMostStates<GovernorModel>;

// One governor of a record: its model, the values it does not simulate, its state.
struct Governor {
  GovernorModel model;
  Extras extras;
  double x[kMaxGovernorStates];
};

// Makes the governor of a record; false, with the verdict, when its values cannot make
// one. The parts not simulated go into the notes.
bool make_model(const RecordValues& record, Governor& governor, Verdict& verdict, Notes& notes);

inline bool is_hydro(const Governor& g) {
  return std::visit([](const auto& m) { return m.hydro(); }, g.model);
}
inline SteadyRange steady_range(const Governor& g, double step) {
  return std::visit([step](const auto& m) { return m.steady_range(step); }, g.model);
}
inline bool droop_through_pe(const Governor& g) {
  return std::visit([](const auto& m) { return m.droop_through_pe(); }, g.model);
}
inline Damping damping_of(const Governor& g) {
  return std::visit([](const auto& m) { return m.damping(); }, g.model);
}
// Starts the governor at the steady state of Pm = p0 (speed deviation 0); false, with the
// value and the limit that exclude it, when it cannot.
inline bool start_governor(Governor& g, double p0, Verdict& verdict) {
  return std::visit([&](auto& m) { return m.start(p0, g.x, verdict); }, g.model);
}
