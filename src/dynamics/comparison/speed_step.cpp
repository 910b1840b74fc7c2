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

struct Side {
  Governor model;
};

struct SpeedStep {
  using Side = ::Side;
  static constexpr const char* kWhat = "model";
  static void after_make(const Side* sides, const RecordValues& new_record, Comparison& c) {
    const Governor& old_g = sides[0].model;
    compare_extras(old_g.extras, sides[1].model.extras, c);
    compare_damping(old_g, sides[1].model, new_record.model->name, c);
    c.p0 = choose_p0(steady_range(old_g, -c.test->step), c.test->p0, c.notes);
  }
  static bool start(Side& side, const Comparison& c, Verdict& verdict) {
    return start_governor(side.model, c.p0, verdict);
  }
  static void after_start(const Side*, Comparison&) {}
  static bool at_rest(const Side& side, const Comparison& c) {
    const Governor& g = side.model;
    return std::visit(
        [&](const auto& m) { return at_steady_state(m, g.x, GovernorInput{0.0, c.p0}); }, g.model);
  }
  static int steps(const Side* sides, const Comparison& c) {
    const bool hydro = is_hydro(sides[0].model) || is_hydro(sides[1].model);
    return steps_of(hydro ? c.test->hydro_seconds : c.test->seconds);
  }
  template <class Record>
  static void run(const Side& side, const Comparison& c, int steps, Trajectories& t,
                  Record& record) {
    const Governor& g = side.model;
    double x[kMaxGovernorStates];
    for (int i = 0; i < kMaxGovernorStates; ++i) x[i] = g.x[i];
    const int at = step_sample(*c.test);
    const double step = c.test->step;
    const double p0 = c.p0;
    const auto input = [=](int n) { return GovernorInput{n >= at ? step : 0.0, p0}; };
    std::visit(
        [&](const auto& m) {
          auto model = m;
          model.use_delay_line(t.delay_line);
          run_side(model, x, steps, input, record);
        },
        g.model);
  }
};

}  // namespace

void compare_governors(const RecordValues& old_record, const RecordValues& new_record,
                       const ComparisonOptions& options, Comparison& c, Trajectories& t,
                       FullResponse* full) {
  compare_time_domain<SpeedStep>(old_record, new_record, options, c, t, full);
}
