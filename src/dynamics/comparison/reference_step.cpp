// The exciters' test: each exciter on the fixed open-circuit machine, its voltage
// reference stepped; Efd and Vt of OLD and NEW compared.
#include "dynamics/comparison/mapping_checks.h"
#include "dynamics/comparison/outcomes.h"
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
  Exciter exciter;
  double x[Genrou::kStates + kMaxExciterStates];
};

// Starts the machine at Vt0 = 1 (the unsaturated machine's field current and voltage are
// 1 too) and the exciter on it; false, with the verdict, when the exciter cannot start.
bool start_side(Side& side, Verdict& verdict) {
  const Genrou machine = test_machine();
  const double efd0 = machine.start(1.0, side.x);
  return std::visit([&](auto& m) { return m.start(1.0, efd0, efd0, side.x + Genrou::kStates, verdict); },
                    side.exciter.model);
}

bool at_rest(const Side& side) {
  return std::visit(
      [&](const auto& m) {
        const ExciterBed<std::decay_t<decltype(m)>> bed{test_machine(), m};
        return at_steady_state(bed, side.x, m.vref0);
      },
      side.exciter.model);
}

template <class Record>
void run_exciter(Side& side, const StandardTest& test, int steps, Record& record) {
  const int at = step_sample(test);
  std::visit(
      [&](const auto& m) {
        const ExciterBed<std::decay_t<decltype(m)>> bed{test_machine(), m};
        const double vref0 = m.vref0;
        run_side(bed, side.x, steps, [&](int n) { return vref0 + (n >= at ? test.step : 0.0); },
                 record);
      },
      side.exciter.model);
}

}  // namespace

void compare_exciters(const RecordValues& old_record, const RecordValues& new_record,
                      const ComparisonOptions& options, Comparison& c, Trajectories& t,
                      FullResponse* full) {
  const StandardTest& test = *c.test;
  Side old_side;
  Side new_side;
  Verdict verdict{Problem::none, ""};
  if (!make_exciter(old_record, old_side.exciter, verdict, c.notes))
    return decide_verdict(c, verdict, false);
  if (!make_exciter(new_record, new_side.exciter, verdict, c.notes))
    return decide_verdict(c, verdict, true);
  compare_exciters_unseen(old_side.exciter, new_side.exciter, c);
  if (!start_side(old_side, verdict)) return decide_verdict(c, verdict, false);
  if (!start_side(new_side, verdict)) return decide_verdict(c, verdict, true);
  if (!at_rest(old_side) || !at_rest(new_side))
    return decide_all(c, Outcome::not_simulated, false,
                      "the exciter does not start at rest: a fault of the simulation");
  c.steps = steps_of(test.seconds);
  t.steps = c.steps;
  OldRecorder old_record_side{t, c.count};
  NewRecorder new_record_side{t, c.count, full};
  run_exciter(old_side, test, c.steps, old_record_side);
  run_exciter(new_side, test, c.steps, new_record_side);
  if (decide_recorded(c, 0, old_record_side, new_record_side, options.tolerance))
    decide_recorded(c, 1, old_record_side, new_record_side, options.tolerance);
}
