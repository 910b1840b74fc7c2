// The governors' test: a speed step on the unit alone, Pm of OLD and NEW from the same
// starting power P0.
#include "dynamics/comparison/mapping_checks.h"
#include "dynamics/comparison/recording.h"
#include "dynamics/comparison/runners.h"

namespace {

// P0: the test's standard load (0.8 pu). A unit whose OLD limits do not hold it starts
// there all the same, and its start says which limit excludes it. Where it holds but the
// step's steady change would reach the upper limit, P0 is lowered below it; to the middle
// of the limits, "limits reached", where even that does not fit.
double choose_p0(const SteadyRange& r, double standard, Notes& notes) {
  constexpr double kMargin = 0.02;
  if (standard > r.upper || standard < r.lower) return standard;
  if (standard + r.change + kMargin <= r.upper && standard >= r.lower + kMargin) return standard;
  const double p0 = r.upper - r.change - kMargin;
  if (p0 >= r.lower + kMargin) return p0;
  note(notes, "limits reached");
  return (r.upper + r.lower) / 2;
}

struct SpeedStep {
  using Side = Governor;
  static constexpr const char* kRestFault =
      "the model does not start at rest: a fault of the simulation";
  static bool make(const RecordValues& record, Governor& g, Verdict& verdict, Notes& notes) {
    return make_governor(record, g, verdict, notes);
  }
  static void after_make(const Governor* g, const RecordValues& new_record, Comparison& c) {
    compare_extras(g[0].extras, g[1].extras, c);
    compare_damping(g[0], g[1], new_record.model->name, c);
    c.p0 = choose_p0(steady_range(g[0], -c.test->step), c.test->p0, c.notes);
  }
  static bool start(Governor& g, const Comparison& c, Verdict& verdict) {
    return start_governor(g, c.p0, verdict);
  }
  static void after_start(const Governor*, Comparison&) {}
  static bool at_rest(const Governor& g, const Comparison& c) {
    return std::visit(
        [&](const auto& m) { return at_steady_state(m, g.x, GovernorInput{0.0, c.p0}); }, g.model);
  }
  static int steps(const Governor* g, const Comparison& c) {
    return steps_of(is_hydro(g[0]) || is_hydro(g[1]) ? c.test->hydro_seconds : c.test->seconds);
  }
  template <class Record>
  static void run(const Governor& g, const Comparison& c, int steps, Record& record) {
    double x[kMaxGovernorStates];
    for (int i = 0; i < kMaxGovernorStates; ++i) x[i] = g.x[i];
    const int at = step_sample(*c.test);
    const double step = c.test->step;
    const double p0 = c.p0;
    const auto input = [=](int n) { return GovernorInput{n >= at ? step : 0.0, p0}; };
    std::visit([&](const auto& m) { run_side(m, x, steps, input, record); }, g.model);
  }
};

}  // namespace

void compare_governors(const RecordValues& old_record, const RecordValues& new_record,
                       const ComparisonOptions& options, Comparison& c, Trajectories& t,
                       FullResponse* full) {
  compare_time_domain<SpeedStep>(old_record, new_record, options, c, t, full);
}
