// Making a generator of a record: the struct of its model, then its values.
#include "dynamics/machines/machine.h"

bool make_machine(const RecordValues& record, MachineModel& m, Verdict& verdict, Notes& notes) {
  ParameterReader read(record, verdict, notes);
  if (!emplace_named(record.model->name, m))
    return fail(verdict, Problem::not_simulated, "%s is not a simulated generator",
                record.model->name);
  return std::visit([&](auto& model) { return model.make(read, verdict, notes); }, m);
}
