// The generator family on open circuit: one struct per simulated generator (d_axis.h says
// what each offers), made from a record's values.
#pragma once
#include <variant>

#include "dynamics/family.h"
#include "dynamics/machines/genqec.h"
#include "dynamics/machines/genroe.h"
#include "dynamics/machines/genrou.h"
#include "dynamics/machines/gensal.h"
#include "dynamics/machines/gentpj.h"

using MachineModel = std::variant<Genrou, Gensal, Gentpj, Genroe, Genqec>;

// Makes the generator of a record; false, with the verdict, when its values cannot make
// one.
bool make_model(const RecordValues& record, MachineModel& machine, Verdict& verdict, Notes& notes);

// The machine's saturation form (its curve through the record's s1 and s12), and what it
// holds that the open-circuit test cannot see.
inline const Saturation& saturation_of(const MachineModel& m) {
  return std::visit([](const auto& model) -> const Saturation& { return model.d.saturation; }, m);
}
inline UnseenMachine unseen_of(const MachineModel& m) {
  return std::visit([](const auto& model) { return model.unseen(); }, m);
}
