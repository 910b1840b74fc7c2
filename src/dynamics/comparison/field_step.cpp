// The generators' test: each machine on open circuit from its own Efd0, the field voltage
// stepped; Vt of OLD and NEW compared.
#include "dynamics/comparison/mapping_checks.h"
#include "dynamics/comparison/outcomes.h"
#include "dynamics/comparison/recording.h"
#include "dynamics/comparison/runners.h"
#include "dynamics/machines/machine.h"

namespace {

struct Side {
  MachineModel machine;
  double x[2];
  double efd0;
};

// The machine at Vt0 = 1, and the field voltage that holds it there.
void start_side(Side& side) {
  side.efd0 = std::visit([&](const auto& m) { return m.start(1.0, side.x); }, side.machine);
}

bool at_rest(const Side& side) {
  return std::visit([&](const auto& m) { return at_steady_state(m, side.x, side.efd0); },
                    side.machine);
}

template <class Record>
void run_machine(Side& side, const StandardTest& test, int steps, Record& record) {
  const int at = step_sample(test);
  const double efd0 = side.efd0;
  std::visit(
      [&](const auto& m) {
        run_side(m, side.x, steps, [&](int n) { return efd0 + (n >= at ? test.step : 0.0); },
                 record);
      },
      side.machine);
}

}  // namespace

void compare_generators(const RecordValues& old_record, const RecordValues& new_record,
                        const ComparisonOptions& options, Comparison& c, Trajectories& t,
                        FullResponse* full) {
  const StandardTest& test = *c.test;
  Side old_side;
  Side new_side;
  Verdict verdict{Problem::none, ""};
  if (!make_machine(old_record, old_side.machine, verdict, c.notes))
    return decide_verdict(c, verdict, false);
  if (!make_machine(new_record, new_side.machine, verdict, c.notes))
    return decide_verdict(c, verdict, true);
  start_side(old_side);
  start_side(new_side);
  compare_field_voltage(old_side.efd0, new_side.efd0, c);
  if (!at_rest(old_side) || !at_rest(new_side))
    return decide_all(c, Outcome::not_simulated, false,
                      "the machine does not start at rest: a fault of the simulation");
  c.steps = steps_of(test.seconds);
  t.steps = c.steps;
  OldRecorder old_recorder{t, c.count};
  NewRecorder new_recorder{t, c.count, full};
  run_machine(old_side, test, c.steps, old_recorder);
  run_machine(new_side, test, c.steps, new_recorder);
  decide_recorded(c, 0, old_recorder, new_recorder, options.tolerance);
}
