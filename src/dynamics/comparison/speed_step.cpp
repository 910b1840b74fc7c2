// The governors' test: a speed step on the unit alone, Pm of OLD and NEW from the same
// starting power P0.
#include "dynamics/comparison/mapping_checks.h"
#include "dynamics/comparison/outcomes.h"
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

bool at_rest(const Governor& g, double p0) {
  return std::visit([&](const auto& m) { return at_steady_state(m, g.x, GovernorInput{0.0, p0}); },
                    g.model);
}

template <class Record>
void run_governor(const Governor& g, const StandardTest& test, double p0, int steps,
                  Record& record) {
  double x[kMaxGovernorStates];
  for (int i = 0; i < kMaxGovernorStates; ++i) x[i] = g.x[i];
  const int at = step_sample(test);
  const auto input = [&](int n) { return GovernorInput{n >= at ? test.step : 0.0, p0}; };
  std::visit([&](const auto& m) { run_side(m, x, steps, input, record); }, g.model);
}

}  // namespace

void compare_governors(const RecordValues& old_record, const RecordValues& new_record,
                       const ComparisonOptions& options, Comparison& c, Trajectories& t,
                       FullResponse* full) {
  const StandardTest& test = *c.test;
  Governor old_g;
  Governor new_g;
  Verdict verdict{Problem::none, ""};
  if (!make_governor(old_record, old_g, verdict, c.notes)) return decide_verdict(c, verdict, false);
  if (!make_governor(new_record, new_g, verdict, c.notes)) return decide_verdict(c, verdict, true);
  compare_extras(old_g.extras, new_g.extras, c);
  compare_damping(old_g, new_g, new_record.model->name, c);
  c.p0 = choose_p0(steady_range(old_g, -test.step), test.p0, c.notes);
  if (!start_governor(old_g, c.p0, verdict)) return decide_verdict(c, verdict, false);
  if (!start_governor(new_g, c.p0, verdict)) return decide_verdict(c, verdict, true);
  if (!at_rest(old_g, c.p0) || !at_rest(new_g, c.p0))
    return decide_all(c, Outcome::not_simulated, false,
                      "the model does not start at rest: a fault of the simulation");
  c.steps = steps_of(is_hydro(old_g) || is_hydro(new_g) ? test.hydro_seconds : test.seconds);
  t.steps = c.steps;
  OldRecorder old_side{t, c.count};
  NewRecorder new_side{t, c.count, full};
  run_governor(old_g, test, c.p0, c.steps, old_side);
  run_governor(new_g, test, c.p0, c.steps, new_side);
  decide_recorded(c, 0, old_side, new_side, options.tolerance);
}
