// Making an exciter of a record: the struct of its model, then its values.
#include "dynamics/exciters/exciter.h"

bool make_model(const RecordValues& record, Exciter& e, Verdict& verdict, Notes& notes) {
  e.extras.count = 0;
  return make_member(record, "exciter", e.model, verdict, notes, e.extras);
}
