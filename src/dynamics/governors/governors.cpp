// Making a governor of a record: the struct of its model, then its values.
#include "dynamics/governors/governor.h"

bool make_governor(const RecordValues& record, Governor& g, Verdict& verdict, Notes& notes) {
  g.extras.count = 0;
  ParameterReader read(record, verdict, notes);
  if (!emplace_named(record.model->name, g.model))
    return fail(verdict, Problem::not_simulated, "%s is not a simulated governor",
                record.model->name);
  return std::visit([&](auto& m) { return m.make(read, g.extras, verdict, notes); }, g.model);
}
