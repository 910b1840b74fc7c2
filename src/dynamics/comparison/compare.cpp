// Comparing two records: the test of their kind, run by its family's runner.
#include <cstring>

#include "dynamics/comparison/outcomes.h"
#include "dynamics/comparison/runners.h"

SimulatedKind simulated_kind(const ModelEntry& model) {
  if (!model.simulation) return SimulatedKind::none;
  switch (model.kind) {
    case ModelKind::governor:
      return SimulatedKind::governor;
    case ModelKind::stabilizer:
      return SimulatedKind::stabilizer;
    case ModelKind::exciter:
      return SimulatedKind::exciter;
    case ModelKind::generator:
      break;
  }
  return SimulatedKind::generator;
}

void compare_records(const RecordValues& old_record, const RecordValues& new_record,
                     const ComparisonOptions& options, Comparison& c, Trajectories& t,
                     FullResponse* full) {
  std::memset(&c, 0, sizeof c);
  clear(c.notes);
  t.steps = 0;
  const SimulatedKind old_kind = simulated_kind(*old_record.model);
  const SimulatedKind new_kind = simulated_kind(*new_record.model);
  c.kind = old_kind;
  c.count = 1;
  c.outputs[0].output = "pm";
  if (old_kind == SimulatedKind::none || new_kind == SimulatedKind::none) {
    return decide_all(c, Outcome::not_simulated, old_kind != SimulatedKind::none,
                      "a model outside the simulated set");
  }
  if (old_kind != new_kind) {
    return decide_all(c, Outcome::not_simulated, true, "the two models are of different kinds");
  }
  c.test = standard_test(old_record.model->kind);
  c.count = c.test->outputs;
  for (int i = 0; i < c.count; ++i) c.outputs[i].output = c.test->output_names[i];
  switch (old_kind) {
    case SimulatedKind::governor:
      return compare_governors(old_record, new_record, options, c, t, full);
    case SimulatedKind::stabilizer:
      return compare_stabilizers(old_record, new_record, options, c, t);
    case SimulatedKind::exciter:
      return compare_exciters(old_record, new_record, options, c, t, full);
    case SimulatedKind::generator:
      return compare_generators(old_record, new_record, options, c, t, full);
    case SimulatedKind::none:
      break;
  }
}
