// Comparing the OLD and the NEW record of a unit under the standard test of their kind.
#include "dynamics/comparison.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "dynamics/exciters.h"
#include "dynamics/governors.h"
#include "dynamics/heun.h"
#include "dynamics/machines.h"

SimulatedKind simulated_kind(const ModelEntry& model) {
  static constexpr struct {
    const char* name;
    SimulatedKind kind;
  } kSimulated[] = {
      {"tgov1", SimulatedKind::governor},    {"ieeeg1", SimulatedKind::governor},
      {"gast", SimulatedKind::governor},     {"hygov", SimulatedKind::governor},
      {"ieeest", SimulatedKind::stabilizer}, {"pss1a", SimulatedKind::stabilizer},
      {"pss2a", SimulatedKind::stabilizer},  {"exst1", SimulatedKind::exciter},
      {"esst1a", SimulatedKind::exciter},    {"sexs", SimulatedKind::exciter},
      {"ieeet1", SimulatedKind::exciter},    {"genrou", SimulatedKind::generator},
      {"gensal", SimulatedKind::generator},  {"gentpf", SimulatedKind::generator},
      {"gentpj", SimulatedKind::generator},
  };
  for (const auto& s : kSimulated) {
    if (std::strcmp(s.name, model.name) == 0) return s.kind;
  }
  return SimulatedKind::none;
}

const char* outcome_name(Outcome outcome) {
  switch (outcome) {
    case Outcome::pass:
      return "PASS";
    case Outcome::fail:
      return "FAIL";
    case Outcome::no_start_old:
      return "NO_START_OLD";
    case Outcome::no_start_new:
      return "NO_START_NEW";
    case Outcome::not_simulated:
      return "NOT_SIMULATED";
    case Outcome::not_representable:
      return "NOT_REPRESENTABLE";
    case Outcome::invalid_data:
      break;
  }
  return "INVALID_DATA";
}

Deviation deviation_of(const double* old_values, const double* new_values, int steps) {
  double excursion = 0.0;
  double largest = 0.0;
  int at = 0;
  bool finite = true;
  for (int n = 0; n <= steps; ++n) {
    const double moved = std::fabs(old_values[n] - old_values[0]);
    const double difference = std::fabs(new_values[n] - old_values[n]);
    finite = finite && std::isfinite(moved) && std::isfinite(difference);
    if (moved > excursion) excursion = moved;
    if (difference > largest) {
      largest = difference;
      at = n;
    }
  }
  if (!finite) return Deviation{NAN, at, false};
  if (excursion < 1e-6) return Deviation{largest, at, true};
  return Deviation{largest / excursion, at, false};
}

namespace {

// Every output of the comparison gets the same outcome and reason.
void decide_all(Comparison& c, Outcome outcome, bool of_new, const char* reason) {
  for (int i = 0; i < c.count; ++i) {
    OutputComparison& o = c.outputs[i];
    o.outcome = outcome;
    o.of_new = of_new;
    o.deviation = 0.0;
    o.at = 0.0;
    set_reason(o.reason, reason);
  }
}

// The outcome of a record whose values make no model: NO_START, INVALID_DATA or
// NOT_SIMULATED of its side.
void decide_verdict(Comparison& c, const Verdict& verdict, bool of_new) {
  Outcome outcome = Outcome::not_simulated;
  switch (verdict.problem) {
    case Problem::no_start:
      outcome = of_new ? Outcome::no_start_new : Outcome::no_start_old;
      break;
    case Problem::invalid_data:
      outcome = Outcome::invalid_data;
      break;
    case Problem::not_representable:
      outcome = Outcome::not_representable;
      break;
    case Problem::not_simulated:
    case Problem::none:
      break;
  }
  char reason[kReasonSize + 8];
  std::snprintf(reason, sizeof reason, "%s: %s", of_new ? "NEW" : "OLD", verdict.reason);
  reason[kReasonSize - 1] = '\0';
  decide_all(c, outcome, of_new, reason);
}

void decide_deviation(OutputComparison& o, const Deviation& d, double tolerance, double step) {
  o.deviation = d.value;
  o.at = d.sample * step;
  if (std::isnan(d.value)) {
    o.outcome = Outcome::fail;
    o.of_new = true;
    std::snprintf(o.reason, sizeof o.reason, "the response is not a finite number");
  } else if (d.value <= tolerance) {
    o.outcome = Outcome::pass;
    o.reason[0] = '\0';
  } else {
    o.outcome = Outcome::fail;
    std::snprintf(o.reason, sizeof o.reason, "%s %.3g%s at %.3f s, above the tolerance %.3g",
                  d.absolute ? "difference" : "deviation", d.value, d.absolute ? " pu" : "", o.at,
                  tolerance);
  }
}

// Decides output i from the trajectories of both sides; false, every output decided
// INVALID_DATA, when OLD's response is not a finite number.
bool decide_trajectory(Comparison& c, int i, const Trajectories& t, double tolerance) {
  for (int n = 0; n <= c.steps; ++n) {
    if (!std::isfinite(t.old_values[i][n])) {
      decide_all(c, Outcome::invalid_data, false, "OLD: its response is not a finite number");
      return false;
    }
  }
  decide_deviation(c.outputs[i], deviation_of(t.old_values[i], t.new_values[i], c.steps), tolerance,
                   kStep);
  return true;
}

// P0: the standard load of 0.8 pu. A unit whose OLD limits do not hold 0.8 pu starts
// there all the same, and its start says which limit excludes it. Where 0.8 pu holds
// but the step's steady change would reach the upper limit, P0 is lowered below it; to
// the middle of the limits, "limits reached", where even that does not fit.
double choose_p0(const SteadyRange& r, Notes& notes) {
  constexpr double kStandard = 0.8;
  if (kStandard > r.upper || kStandard < r.lower) return kStandard;
  if (kStandard + r.change + 0.02 <= r.upper && kStandard >= r.lower + 0.02) return kStandard;
  const double p0 = r.upper - r.change - 0.02;
  if (p0 >= r.lower + 0.02) return p0;
  note(notes, "limits reached");
  return (r.upper + r.lower) / 2;
}

// The extras a governor record has but the simulation does not run: equal on both sides
// they are only noted; on one side only, they are a mapping finding.
void compare_extras(const Extras& old_extras, const Extras& new_extras, Comparison& c) {
  if (old_extras.count == 0 && new_extras.count == 0) return;
  bool equal = old_extras.count == new_extras.count;
  for (int i = 0; equal && i < old_extras.count; ++i) {
    equal = std::strcmp(old_extras.names[i], new_extras.names[i]) == 0 &&
            old_extras.values[i] == new_extras.values[i];
  }
  char list[160] = "";
  const Extras& shown = old_extras.count > 0 ? old_extras : new_extras;
  std::size_t used = 0;
  for (int i = 0; i < shown.count && used < sizeof list - 16; ++i) {
    used += static_cast<std::size_t>(std::snprintf(list + used, sizeof list - used, "%s%s = %g",
                                                   i ? ", " : "", shown.names[i], shown.values[i]));
  }
  if (equal) {
    note(c.notes, "not simulated, equal on both sides: %s", list);
  } else {
    c.mapping_finding = true;
    note(c.notes, "%s (%s) not simulated %s", old_extras.count > 0 ? "OLD's" : "NEW's", list,
         old_extras.count > 0 && new_extras.count == 0 ? "and dropped by NEW"
         : old_extras.count == 0                       ? "and added by NEW"
                                                       : "and changed by NEW");
  }
}

// The damping term of a governor (tgov1's dt, gast's and hygov's dturb): its name and
// value; nullptr for a model that has none (ieeeg1).
const char* damping_of(const Governor& g, double* value) {
  switch (g.kind) {
    case GovernorKind::tgov1:
      *value = g.tgov1.dt;
      return "dt";
    case GovernorKind::gast:
      *value = g.gast.dturb;
      return "dturb";
    case GovernorKind::hygov:
      *value = g.hygov.dturb;
      return "dturb";
    case GovernorKind::ieeeg1:
      break;
  }
  *value = 0.0;
  return nullptr;
}

// A damping term that NEW has no place for is lost whatever the deviation says.
void compare_damping(const Governor& old_g, const Governor& new_g, const char* new_model,
                     Comparison& c) {
  double old_value = 0.0;
  double new_value = 0.0;
  const char* name = damping_of(old_g, &old_value);
  if (!name || old_value == 0 || damping_of(new_g, &new_value)) return;
  c.mapping_finding = true;
  note(c.notes, "OLD's damping %s = %g has no place in %s: its share of the response is lost", name,
       old_value, new_model);
}

bool governor_at_rest(const Governor& g) {
  switch (g.kind) {
    case GovernorKind::tgov1:
      return at_steady_state(g.tgov1, g.x, 0.0);
    case GovernorKind::ieeeg1:
      return at_steady_state(g.ieeeg1, g.x, 0.0);
    case GovernorKind::gast:
      return at_steady_state(g.gast, g.x, 0.0);
    case GovernorKind::hygov:
      break;
  }
  return at_steady_state(g.hygov, g.x, 0.0);
}

void compare_governors(const RecordValues& old_record, const RecordValues& new_record,
                       const ComparisonOptions& options, Comparison& c, Trajectories& t) {
  c.count = 1;
  c.outputs[0].output = "pm";
  Governor old_g;
  Governor new_g;
  Verdict verdict{Problem::none, ""};
  if (!make_governor(old_record, old_g, verdict, c.notes)) return decide_verdict(c, verdict, false);
  if (!make_governor(new_record, new_g, verdict, c.notes)) return decide_verdict(c, verdict, true);
  compare_extras(old_g.extras, new_g.extras, c);
  compare_damping(old_g, new_g, new_record.model->name, c);
  c.p0 = choose_p0(steady_range(old_g), c.notes);
  if (!start_governor(old_g, c.p0, verdict)) return decide_verdict(c, verdict, false);
  if (!start_governor(new_g, c.p0, verdict)) return decide_verdict(c, verdict, true);
  if (!governor_at_rest(old_g) || !governor_at_rest(new_g))
    return decide_all(c, Outcome::not_simulated, false,
                      "the model does not start at rest: a fault of the simulation");
  c.steps = (old_g.hydro || new_g.hydro ? 60 : 30) * kStepsPerSecond;
  t.steps = c.steps;
  run_governor(old_g, c.steps, t.old_values[0]);
  run_governor(new_g, c.steps, t.new_values[0]);
  decide_trajectory(c, 0, t, options.tolerance);
}

// The phase difference wrapped into (-180, 180].
double wrapped(double degrees) {
  double d = std::fmod(degrees, 360.0);
  if (d > 180.0) d -= 360.0;
  if (d <= -180.0) d += 360.0;
  return d;
}

// ieeest has an exact pss1a only without its notch filter and with a transducer to
// become pss1a's washout.
bool representable(const Stabilizer& old_s, const Stabilizer& new_s, Verdict& verdict) {
  if (old_s.kind != StabilizerKind::ieeest || new_s.kind != StabilizerKind::pss1a) return true;
  for (int i = 2; i < 6; ++i) {
    if (old_s.a[i] != 0)
      return fail(verdict, Problem::not_representable, "a%d = %g: pss1a has no notch filter", i + 1,
                  old_s.a[i]);
  }
  if (old_s.t6 == 0 && old_s.t5 != 0)
    return fail(verdict, Problem::not_representable,
                "t6 = 0: ieeest is a pure derivative, which pss1a cannot be");
  return true;
}

void compare_stabilizers(const RecordValues& old_record, const RecordValues& new_record,
                         const ComparisonOptions& options, Comparison& c, Trajectories& t) {
  c.count = 2;
  c.outputs[0].output = "gain";
  c.outputs[1].output = "phase";
  Stabilizer old_s;
  Stabilizer new_s;
  Verdict verdict{Problem::none, ""};
  if (!make_stabilizer(old_record, old_s, verdict, c.notes))
    return decide_verdict(c, verdict, false);
  if (!make_stabilizer(new_record, new_s, verdict, c.notes))
    return decide_verdict(c, verdict, true);
  if (!representable(old_s, new_s, verdict)) return decide_verdict(c, verdict, true);
  note(c.notes, "input codes taken as numbered alike in both models");
  // The input signals first: another signal fails whatever the numbers say.
  char reason[kReasonSize] = "";
  if (old_s.input_code != new_s.input_code) {
    std::snprintf(reason, sizeof reason, "input code %g of OLD is %g in NEW", old_s.input_code,
                  new_s.input_code);
  } else if (old_s.second_code != new_s.second_code) {
    std::snprintf(reason, sizeof reason, "second input code %g of OLD is %g in NEW",
                  old_s.second_code, new_s.second_code);
  } else if (old_s.kind == StabilizerKind::pss2a && new_s.kind == StabilizerKind::pss2a &&
             old_s.ks4 != new_s.ks4) {
    std::snprintf(reason, sizeof reason, "ks4 %g of OLD is %g in NEW (its role is not confirmed)",
                  old_s.ks4, new_s.ks4);
  }
  double gain_error = 0.0;
  double phase_error = 0.0;
  int gain_at = 0;
  int phase_at = 0;
  for (int i = 0; i < kFrequencyCount; ++i) {
    const double f = kStabilizerFrequencies[i];
    const Complex g_old = stabilizer_response(old_s, f);
    const Complex g_new = stabilizer_response(new_s, f);
    t.gain_old[i] = magnitude(g_old);
    t.gain_new[i] = magnitude(g_new);
    t.phase_old[i] = phase_degrees(g_old);
    t.phase_new[i] = phase_degrees(g_new);
    double e;
    if (t.gain_old[i] > 0) {
      e = std::fabs(t.gain_new[i] / t.gain_old[i] - 1.0);
    } else {
      e = t.gain_new[i] > 0 ? INFINITY : 0.0;
    }
    if (!(e <= gain_error)) {
      gain_error = e;
      gain_at = i;
    }
    if (t.gain_old[i] > 0 && t.gain_new[i] > 0) {
      const double p = std::fabs(wrapped(t.phase_new[i] - t.phase_old[i]));
      if (!(p <= phase_error)) {
        phase_error = p;
        phase_at = i;
      }
    }
    // A second input (pss2a's) is compared as the first.
    const Complex s_old = stabilizer_response(old_s, f, true);
    const Complex s_new = stabilizer_response(new_s, f, true);
    if (old_s.second_code != 0 || new_s.second_code != 0) {
      const double a = magnitude(s_old);
      const double b = magnitude(s_new);
      const double e2 = a > 0 ? std::fabs(b / a - 1.0) : b > 0 ? INFINITY : 0.0;
      if (!(e2 <= gain_error)) {
        gain_error = e2;
        gain_at = i;
      }
    }
  }
  t.steps = 0;
  OutputComparison& gain = c.outputs[0];
  OutputComparison& phase = c.outputs[1];
  gain.deviation = gain_error;
  gain.at = kStabilizerFrequencies[gain_at];
  phase.deviation = phase_error;
  phase.at = kStabilizerFrequencies[phase_at];
  if (reason[0]) {
    gain.outcome = phase.outcome = Outcome::fail;
    set_reason(gain.reason, reason);
    set_reason(phase.reason, reason);
    return;
  }
  gain.outcome = gain_error <= options.tolerance ? Outcome::pass : Outcome::fail;
  if (gain.outcome == Outcome::fail)
    std::snprintf(gain.reason, sizeof gain.reason, "gain error %.3g at %g Hz, above %.3g",
                  gain_error, gain.at, options.tolerance);
  phase.outcome = phase_error <= options.phase_tolerance ? Outcome::pass : Outcome::fail;
  if (phase.outcome == Outcome::fail)
    std::snprintf(phase.reason, sizeof phase.reason, "phase error %.3g deg at %g Hz, above %.3g",
                  phase_error, phase.at, options.phase_tolerance);
}

// The field voltage and terminal voltage of both exciters on the test machine, stepped
// reference; both outputs compared.
void compare_exciters(const RecordValues& old_record, const RecordValues& new_record,
                      const ComparisonOptions& options, Comparison& c, Trajectories& t) {
  c.count = 2;
  c.outputs[0].output = "efd";
  c.outputs[1].output = "vt";
  ExciterTest old_test{test_machine(), Exciter{}};
  ExciterTest new_test{test_machine(), Exciter{}};
  Verdict verdict{Problem::none, ""};
  if (!make_exciter(old_record, old_test.exciter, verdict, c.notes))
    return decide_verdict(c, verdict, false);
  if (!make_exciter(new_record, new_test.exciter, verdict, c.notes))
    return decide_verdict(c, verdict, true);
  // The extras the test does not use: equal on both sides they are only noted.
  const ExciterExtras& a = old_test.exciter.extras;
  const ExciterExtras& b = new_test.exciter.extras;
  if (old_test.exciter.kind == ExciterKind::sexs && new_test.exciter.kind == ExciterKind::sexs) {
    bool equal = a.count == b.count;
    for (int i = 0; equal && i < a.count; ++i)
      equal = std::strcmp(a.names[i], b.names[i]) == 0 && a.values[i] == b.values[i];
    if (!equal) {
      c.mapping_finding = true;
      note(c.notes,
           "sexs values 7 to 11 (not simulated, not confirmed) differ between OLD and NEW");
    }
  }
  if (old_test.exciter.ke_computed || new_test.exciter.ke_computed) c.mapping_finding = true;
  double x_old[ExciterTest::kStates];
  double x_new[ExciterTest::kStates];
  // Vt0 = 1: the unsaturated machine's field current and voltage are 1 too.
  const double efd0 = old_test.machine.start(1.0, x_old);
  new_test.machine.start(1.0, x_new);
  if (!old_test.exciter.start(1.0, efd0, efd0, x_old + Machine::kStates, verdict))
    return decide_verdict(c, verdict, false);
  if (!new_test.exciter.start(1.0, efd0, efd0, x_new + Machine::kStates, verdict))
    return decide_verdict(c, verdict, true);
  const double vref_old = old_test.exciter.vref0;
  const double vref_new = new_test.exciter.vref0;
  if (!at_steady_state(old_test, x_old, vref_old) || !at_steady_state(new_test, x_new, vref_new))
    return decide_all(c, Outcome::not_simulated, false,
                      "the exciter does not start at rest: a fault of the simulation");
  c.steps = 10 * kStepsPerSecond;
  t.steps = c.steps;
  const auto run = [&](const ExciterTest& test, double* x, double vref0, int side) {
    double* efd = side ? t.new_values[0] : t.old_values[0];
    double* vt = side ? t.new_values[1] : t.old_values[1];
    run_heun(
        test, x, c.steps,
        [vref0](int n) { return vref0 + (n >= kStepsPerSecond ? kReferenceStep : 0.0); },
        [efd, vt](int n, ExciterTest::Output y) {
          efd[n] = y.efd;
          vt[n] = y.vt;
        });
  };
  run(old_test, x_old, vref_old, 0);
  run(new_test, x_new, vref_new, 1);
  if (decide_trajectory(c, 0, t, options.tolerance)) decide_trajectory(c, 1, t, options.tolerance);
}

// The terminal voltage of both generators on open circuit, each from its own Efd0, the
// field voltage stepped.
void compare_generators(const RecordValues& old_record, const RecordValues& new_record,
                        const ComparisonOptions& options, Comparison& c, Trajectories& t) {
  c.count = 1;
  c.outputs[0].output = "vt";
  Machine old_m;
  Machine new_m;
  Verdict verdict{Problem::none, ""};
  if (!make_machine(old_record, old_m, verdict, c.notes)) return decide_verdict(c, verdict, false);
  if (!make_machine(new_record, new_m, verdict, c.notes)) return decide_verdict(c, verdict, true);
  double x_old[Machine::kStates];
  double x_new[Machine::kStates];
  const double efd_old = old_m.start(1.0, x_old);
  const double efd_new = new_m.start(1.0, x_new);
  if (std::fabs(efd_new - efd_old) > 0.005 * std::fabs(efd_old)) {
    c.mapping_finding = true;
    note(c.notes, "Efd0 of NEW %.4f is %.1f %% from OLD's %.4f: saturation data moved or lost",
         efd_new, 100.0 * (efd_new - efd_old) / efd_old, efd_old);
  }
  if (!at_steady_state(old_m, x_old, efd_old) || !at_steady_state(new_m, x_new, efd_new))
    return decide_all(c, Outcome::not_simulated, false,
                      "the machine does not start at rest: a fault of the simulation");
  c.steps = 20 * kStepsPerSecond;
  t.steps = c.steps;
  const auto run = [&](const Machine& m, double* x, double efd0, double* vt) {
    run_heun(
        m, x, c.steps, [efd0](int n) { return efd0 + (n >= kStepsPerSecond ? kFieldStep : 0.0); },
        [vt](int n, double y) { vt[n] = y; });
  };
  run(old_m, x_old, efd_old, t.old_values[0]);
  run(new_m, x_new, efd_new, t.new_values[0]);
  decide_trajectory(c, 0, t, options.tolerance);
}

}  // namespace

void compare_records(const RecordValues& old_record, const RecordValues& new_record,
                     const ComparisonOptions& options, Comparison& c, Trajectories& t) {
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
  switch (old_kind) {
    case SimulatedKind::governor:
      return compare_governors(old_record, new_record, options, c, t);
    case SimulatedKind::stabilizer:
      return compare_stabilizers(old_record, new_record, options, c, t);
    case SimulatedKind::exciter:
      return compare_exciters(old_record, new_record, options, c, t);
    case SimulatedKind::generator:
      return compare_generators(old_record, new_record, options, c, t);
    case SimulatedKind::none:
      break;
  }
}
