// The exciter family: one struct per simulated exciter (exciter_io.h says what each
// offers), made from a record's values.
#pragma once
#include <variant>

#include "dynamics/exciters/ac1.h"
#include "dynamics/exciters/dc1.h"
#include "dynamics/exciters/esst3a.h"
#include "dynamics/exciters/esst4b.h"
#include "dynamics/exciters/exst3a.h"
#include "dynamics/exciters/sexs.h"
#include "dynamics/exciters/st1.h"
#include "dynamics/extras.h"
#include "dynamics/family.h"
#include "dynamics/record_values.h"

using ExciterModel = std::variant<St1, Sexs, Dc1, Exst3a, Esst3a, Esst4b, Ac1>;
constexpr int kMaxExciterStates = kMostStates<ExciterModel>;

// One exciter of a record: its model and the values it does not simulate.
struct Exciter {
  ExciterModel model;
  Extras extras;
};

// Makes the exciter of a record; false, with the verdict, when its values cannot make one.
bool make_model(const RecordValues& record, Exciter& exciter, Verdict& verdict, Notes& notes);

inline UnseenSource unseen_source(const Exciter& e) {
  return std::visit([](const auto& m) { return m.unseen_source(); }, e.model);
}

inline bool exciter_told(const Exciter& e) {
  return std::visit([](const auto& m) { return m.told(); }, e.model);
}
