// Making an exciter of a record: the struct of its model, then its values.
#include "dynamics/exciters/exciter.h"

bool make_exciter(const RecordValues& record, Exciter& e, Verdict& verdict, Notes& notes) {
  e.extras.count = 0;
  ParameterReader read(record, verdict, notes);
  if (!emplace_named(record.model->name, e.model))
    return fail(verdict, Problem::not_simulated, "%s is not a simulated exciter",
                record.model->name);
  return std::visit([&](auto& m) { return m.make(read, e.extras, verdict, notes); }, e.model);
}
