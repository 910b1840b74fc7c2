// The governors' speed step: the unit alone, its speed stepped, Pm of OLD and NEW from the
// same starting power P0; a pair whose droop acts through the electrical power, which the
// test holds, is simulated but left to the isolated unit to judge.
#include "dynamics/comparison/governor_tests.h"
#include "dynamics/comparison/mapping_checks.h"
#include "dynamics/comparison/outcomes.h"
#include "dynamics/comparison/recording.h"
#include "dynamics/comparison/runners.h"

// P0: the test's standard load (0.8 pu). A unit whose OLD limits do not hold it starts
// there all the same, and its start says which limit excludes it. Where it holds but the
// test's steady change would reach the upper limit, P0 is lowered below it; to the middle
// of the limits, "limits reached", where even that does not fit.
double choose_p0(const SteadyRange& r, double standard, const char* test, Notes& notes) {
  constexpr double kMargin = 0.02;
  if (standard > r.upper || standard < r.lower) return standard;
  if (standard + r.change + kMargin <= r.upper && standard >= r.lower + kMargin) return standard;
  const double p0 = r.upper - r.change - kMargin;
  if (p0 >= r.lower + kMargin) return p0;
  note(notes, "%s%slimits reached", test, test[0] ? ": " : "");
  return (r.upper + r.lower) / 2;
}

namespace {

struct SpeedStep {
  static constexpr int kRun = 0;
  using Side = GovernorSide;
  static constexpr const char* kWhat = "model";
  static void after_make(const Side* sides, const RecordValues& new_record, Comparison& c) {
    const Governor& old_g = sides[0].model;
    compare_extras(old_g.extras, sides[1].model.extras, c);
    compare_damping(old_g, sides[1].model, new_record.model->name, c);
    TestRun& run = c.run[kRun];
    run.p0 = choose_p0(steady_range(old_g, -run.test->step), run.test->p0, "", c.notes);
  }
  static bool start(Side& side, const Comparison& c, Verdict& verdict) {
    return start_governor(side.model, c.run[kRun].p0, verdict);
  }
  static void after_start(const Side*, Comparison&) {}
  static bool at_rest(const Side& side, const Comparison& c) {
    const Governor& g = side.model;
    const double p0 = c.run[kRun].p0;
    return std::visit(
        [&](const auto& m) {
          return at_steady_state(m, g.x, GovernorInput{0.0, p0});
        },
        g.model);
  }
  static int steps(const Side* sides, const Comparison& c) {
    return governor_steps(sides[0].model, sides[1].model, *c.run[kRun].test);
  }
  template <class Record>
  static void run(const Side& side, const Comparison& c, int steps, Trajectories& t,
                  Record& record) {
    const Governor& g = side.model;
    double x[kMaxGovernorStates];
    for (int i = 0; i < kMaxGovernorStates; ++i) x[i] = g.x[i];
    const TestRun& r = c.run[kRun];
    const int at = step_sample(*r.test);
    const double step = r.test->step;
    const double p0 = r.p0;
    const auto input = [=](int n) { return GovernorInput{n >= at ? step : 0.0, p0}; };
    std::visit(
        [&](const auto& m) {
          auto model = m;
          model.use_delay_line(t.delay_line);
          run_side(model, x, steps, input, record);
        },
        g.model);
  }
  // The electrical power is held at P0: a droop that acts through it is not seen, and
  // Pm ramps where the unit would settle.
  static void after_run(const Side* sides, Comparison& c) {
    const bool old_pe = droop_through_pe(sides[0].model);
    const bool new_pe = droop_through_pe(sides[1].model);
    if (!old_pe && !new_pe) return;
    const TestRun& r = c.run[kRun];
    char reason[kReasonSize];
    std::snprintf(reason, sizeof reason,
                  "%s droop acts through electrical power, which this test holds: the isolated "
                  "unit judges the pair",
                  old_pe && new_pe ? "both sides'"
                  : old_pe         ? "OLD's"
                                   : "NEW's");
    for (int i = r.first; i < r.first + r.count; ++i) {
      OutputComparison& o = c.outputs[i];
      if (o.outcome != Outcome::pass && o.outcome != Outcome::fail) continue;
      o.outcome = Outcome::not_judged;
      set_reason(o.reason, reason);
    }
  }
};

}  // namespace

void compare_speed_step(const RecordValues& old_record, const RecordValues& new_record,
                        const ComparisonOptions& options, Comparison& c, Trajectories& t,
                        FullResponse* full) {
  compare_time_domain<SpeedStep>(old_record, new_record, options, c, t, full);
}

void compare_governors(const RecordValues& old_record, const RecordValues& new_record,
                       const ComparisonOptions& options, Comparison& c, Trajectories& t,
                       FullResponse* full) {
  compare_speed_step(old_record, new_record, options, c, t, full);
  compare_isolated_unit(old_record, new_record, options, c, t, full);
}
