// The governors' isolated unit: the governor drives one rotating mass against a load that
// steps at 1 s; Pm and the speed of OLD and NEW compared, and the closed loop linearised
// at rest to tell a unit that cannot run alone.
#include <algorithm>

#include "dynamics/comparison/governor_tests.h"
#include "dynamics/comparison/isolated_bed.h"
#include "dynamics/comparison/outcomes.h"
#include "dynamics/comparison/recording.h"
#include "dynamics/linearisation.h"

namespace {

// One side: its governor and the bed's state, the speed last.
struct Side {
  Governor model;
  double x[kMaxGovernorStates + 1];
};

// The rightmost mode of the side's bed linearised at rest, without what has no linear
// form (a deadband, a delay, a one-sample memory).
Stability stability_of(const Side& side, const TestRun& run) {
  return std::visit(
      [&](const auto& m) {
        auto linear = m;
        linear.for_linearisation();
        return stability_at(bed_of(linear, *run.test), side.x, run.p0);
      },
      side.model.model);
}

// "+0.549 +/- j0.592 1/s (0.094 Hz)", or "+0.120 1/s" for a real mode.
void describe_mode(const Complex& m, char* out, std::size_t size) {
  if (m.im > 0)
    std::snprintf(out, size, "%+.3f +/- j%.3f 1/s (%.3f Hz)", m.re, m.im, m.im / (2 * kPi));
  else
    std::snprintf(out, size, "%+.3f 1/s", m.re);
}

struct IsolatedUnit {
  static constexpr int kRun = 1;
  using Side = ::Side;
  static constexpr const char* kWhat = "isolated unit";
  // P0 as for the speed step, with the load step for the steady change it needs room for.
  static void after_make(const Side* sides, const RecordValues&, Comparison& c) {
    TestRun& run = c.run[kRun];
    SteadyRange range = steady_range(sides[0].model, 0.004);
    range.change = run.test->step;
    run.p0 = choose_p0(range, run.test->p0, "isolated unit", c.notes);
  }
  // The governor at its steady state of Pm = P0, the mass at rest.
  static bool start(Side& side, const Comparison& c, Verdict& verdict) {
    if (!start_governor(side.model, c.run[kRun].p0, verdict)) return false;
    std::fill(side.x, side.x + kMaxGovernorStates + 1, 0.0);
    std::visit(
        [&](const auto& m) {
          using Model = std::decay_t<decltype(m)>;
          for (int i = 0; i < Model::kStates; ++i) side.x[i] = side.model.x[i];
          side.x[Model::kStates] = 0.0;
        },
        side.model.model);
    return true;
  }
  static void after_start(const Side*, Comparison&) {}
  static bool at_rest(const Side& side, const Comparison& c) {
    const TestRun& run = c.run[kRun];
    return std::visit(
        [&](const auto& m) { return at_steady_state(bed_of(m, *run.test), side.x, run.p0); },
        side.model.model);
  }
  static int steps(const Side* sides, const Comparison& c) {
    return governor_steps(sides[0].model, sides[1].model, *c.run[kRun].test);
  }
  template <class Record>
  static void run(const Side& side, const Comparison& c, int steps, Trajectories& t,
                  Record& record) {
    const TestRun& r = c.run[kRun];
    double x[kMaxGovernorStates + 1];
    std::copy(side.x, side.x + kMaxGovernorStates + 1, x);
    const int at = step_sample(*r.test);
    const double load = r.p0;
    const double step = r.test->step;
    const auto input = [=](int n) { return n >= at ? load + step : load; };
    std::visit(
        [&](const auto& m) {
          auto model = m;
          model.use_delay_line(t.delay_line);
          run_side(bed_of(model, *r.test), x, steps, input, record);
        },
        side.model.model);
  }
  // An unstable OLD has no response to compare with; a NEW unstable where OLD is stable
  // fails whatever its deviation.
  static void after_run(const Side* sides, Comparison& c) {
    const TestRun& run = c.run[kRun];
    for (int s = 0; s < 2; ++s) {
      const Stability st = stability_of(sides[s], run);
      if (!st.unstable()) continue;
      char mode[96];
      describe_mode(st.mode, mode, sizeof mode);
      char reason[kReasonSize];
      std::snprintf(reason, sizeof reason, "%s: the isolated unit is unstable at rest, mode %s",
                    s ? "NEW" : "OLD", mode);
      for (int i = run.first; i < run.first + run.count; ++i) {
        OutputComparison& o = c.outputs[i];
        if (!has_responses(o.outcome) && o.outcome != Outcome::invalid_data) continue;
        o.outcome = s ? Outcome::unstable_new : Outcome::unstable_old;
        o.of_new = s == 1;
        if (s == 0) o.deviation = o.at = 0.0;
        set_reason(o.reason, reason);
      }
      return;
    }
  }
};

}  // namespace

void compare_isolated_unit(const RecordValues& old_record, const RecordValues& new_record,
                           const ComparisonOptions& options, Comparison& c, Trajectories& t,
                           FullResponse* full) {
  compare_time_domain<IsolatedUnit>(old_record, new_record, options, c, t, full);
}
