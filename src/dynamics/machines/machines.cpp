// Making a generator of a record: the struct of its model, then its values.
#include "dynamics/machines/machine.h"

bool make_model(const RecordValues& record, MachineModel& m, Verdict& verdict, Notes& notes) {
  return make_member(record, "generator", m, verdict, notes);
}
