// The exciters' test: each exciter on the fixed open-circuit machine, its voltage
// reference stepped; Efd and Vt of OLD and NEW compared.
#include "dynamics/comparison/mapping_checks.h"
#include "dynamics/comparison/recording.h"
#include "dynamics/comparison/runners.h"
#include "dynamics/machines/test_machine.h"

namespace {

// The test bed: the machine's states, then the exciter's; the voltage reference is the
// input, Efd and Vt the outputs.
template <class Model>
struct ExciterBed {
  static constexpr int kStates = Genrou::kStates + Model::kStates;
  Genrou machine;
  Model exciter;
  ExciterInput inputs(const double* x, double vref) const {
    return ExciterInput{machine.terminal_voltage(x), machine.field_current(x), vref};
  }
  void derivatives(const double* x, double vref, double* dx) const {
    const ExciterInput u = inputs(x, vref);
    const double* s = x + Genrou::kStates;
    machine.derivatives(x, exciter.efd(s, u), dx);
    exciter.derivatives(s, u, dx + Genrou::kStates);
  }
  void limit(double* x) const { exciter.limit(x + Genrou::kStates); }
  Sample output(const double* x, double vref) const {
    const ExciterInput u = inputs(x, vref);
    return Sample{{exciter.efd(x + Genrou::kStates, u), u.vt}};
  }
};

// One side of the test: its exciter and the bed's state.
struct Side {
  Exciter model;
  double x[Genrou::kStates + kMaxExciterStates];
};

struct ReferenceStep {
  static constexpr int kRun = 0;
  using Side = ::Side;
  static constexpr const char* kWhat = "exciter";
  static void after_make(const Side* sides, const RecordValues&, Comparison& c) {
    compare_exciters_unseen(sides[0].model, sides[1].model, c);
  }
  static bool representable(const Side* sides, Verdict& verdict) {
    return ::representable(sides[0].model, sides[1].model, verdict);
  }
  // The machine at Vt0 = 1 (the unsaturated machine's field current and voltage are 1
  // too) and the exciter on it.
  static bool start(Side& side, const Comparison&, Verdict& verdict) {
    const Genrou machine = test_machine();
    const double efd0 = machine.start(1.0, side.x);
    return std::visit(
        [&](auto& m) { return m.start(1.0, efd0, efd0, side.x + Genrou::kStates, verdict); },
        side.model.model);
  }
  static void after_start(const Side*, Comparison&) {}
  static bool at_rest(const Side& side, const Comparison&) {
    return std::visit(
        [&](const auto& m) {
          const ExciterBed<std::decay_t<decltype(m)>> bed{test_machine(), m};
          return at_steady_state(bed, side.x, m.vref0);
        },
        side.model.model);
  }
  static int steps(const Side*, const Comparison& c) { return steps_of(c.test->seconds); }
  template <class Record>
  static void run(Side& side, const Comparison& c, int steps, Trajectories&, Record& record) {
    const int at = step_sample(*c.test);
    const double step = c.test->step;
    std::visit(
        [&](const auto& m) {
          const ExciterBed<std::decay_t<decltype(m)>> bed{test_machine(), m};
          const double vref0 = m.vref0;
          run_side(
              bed, side.x, steps, [=](int n) { return vref0 + (n >= at ? step : 0.0); }, record);
        },
        side.model.model);
  }
};

}  // namespace

void compare_exciters(const RecordValues& old_record, const RecordValues& new_record,
                      const ComparisonOptions& options, Comparison& c, Trajectories& t,
                      FullResponse* full) {
  compare_time_domain<ReferenceStep>(old_record, new_record, options, c, t, full);
}
