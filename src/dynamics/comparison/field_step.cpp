// The generators' test: each machine on open circuit from its own Efd0, the field voltage
// stepped; Vt of OLD and NEW compared.
#include "dynamics/comparison/mapping_checks.h"
#include "dynamics/comparison/recording.h"
#include "dynamics/comparison/runners.h"
#include "dynamics/machines/machine.h"

namespace {

struct Side {
  MachineModel model;
  double x[2];
  double efd0;
};

struct FieldStep {
  static constexpr int kRun = 0;
  using Side = ::Side;
  static constexpr const char* kWhat = "machine";
  static void after_make(const Side* sides, const RecordValues&, Comparison& c) {
    compare_machines_unseen(sides[0].model, sides[1].model, c);
  }
  // The machine at Vt0 = 1, and the field voltage that holds it there.
  static bool start(Side& side, const Comparison&, Verdict&) {
    side.efd0 = std::visit([&](const auto& m) { return m.start(1.0, side.x); }, side.model);
    return true;
  }
  static void after_start(const Side* sides, Comparison& c) {
    compare_field_voltage(sides[0].efd0, sides[1].efd0, c);
  }
  static bool at_rest(const Side& side, const Comparison&) {
    return std::visit([&](const auto& m) { return at_steady_state(m, side.x, side.efd0); },
                      side.model);
  }
  static int steps(const Side*, const Comparison& c) { return steps_of(c.test->seconds); }
  template <class Record>
  static void run(Side& side, const Comparison& c, int steps, Trajectories&, Record& record) {
    const int at = step_sample(*c.test);
    const double step = c.test->step;
    const double efd0 = side.efd0;
    std::visit(
        [&](const auto& m) {
          run_side(
              m, side.x, steps, [=](int n) { return efd0 + (n >= at ? step : 0.0); }, record);
        },
        side.model);
  }
};

}  // namespace

void compare_generators(const RecordValues& old_record, const RecordValues& new_record,
                        const ComparisonOptions& options, Comparison& c, Trajectories& t,
                        FullResponse* full) {
  compare_time_domain<FieldStep>(old_record, new_record, options, c, t, full);
}
