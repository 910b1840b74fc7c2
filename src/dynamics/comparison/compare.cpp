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
  // The outputs of every test of the kind, in the table's order; none passes unless it
  // was run.
  c.count = 0;
  for (const StandardTest& test : kStandardTests) {
    if (test.kind != old_record.model->kind || c.runs == kMaxTestsOfKind) continue;
    c.run[c.runs++] = TestRun{&test, c.count, test.outputs, 0.0};
    for (int i = 0; i < test.outputs && c.count < kMaxComparedOutputs; ++i) {
      c.outputs[c.count].test = &test;
      c.outputs[c.count++].output = test.output_names[i];
    }
  }
  c.test = c.run[0].test;
  for (const RecordValues* r : {&old_record, &new_record}) {
    if (!order_confirmed(*r->model)) note(c.notes, "%s's order is not confirmed", r->model->name);
  }
  decide_all(c, Outcome::not_simulated, false, "the test was not run");
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
