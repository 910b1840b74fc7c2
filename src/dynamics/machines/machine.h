// The generator family on open circuit: one struct per simulated generator (d_axis.h says
// what each offers), made from a record's values.
#pragma once
#include <variant>

#include "dynamics/family.h"
#include "dynamics/machines/genrou.h"
#include "dynamics/machines/gensal.h"
#include "dynamics/machines/gentpj.h"

using MachineModel = std::variant<Genrou, Gensal, Gentpj>;

// Makes the generator of a record; false, with the verdict, when its values cannot make
// one.
bool make_model(const RecordValues& record, MachineModel& machine, Verdict& verdict,
                  Notes& notes);
