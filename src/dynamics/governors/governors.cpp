// Making a governor of a record: the struct of its model, then its values.
#include "dynamics/governors/governor.h"

bool make_model(const RecordValues& record, Governor& g, Verdict& verdict, Notes& notes) {
  g.extras.count = 0;
  return make_member(record, "governor", g.model, verdict, notes, g.extras);
}
