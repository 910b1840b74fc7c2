// The stabilizers' test: gain and phase of OLD and NEW at the test's frequencies, from
// their linear transfer functions; another input signal fails whatever the numbers say.
#include <cmath>
#include <cstdio>

#include "dynamics/comparison/mapping_checks.h"
#include "dynamics/comparison/outcomes.h"
#include "dynamics/comparison/runners.h"

namespace {

// The phase difference wrapped into (-180, 180].
double wrapped(double degrees) {
  double d = std::fmod(degrees, 360.0);
  if (d > 180.0) d -= 360.0;
  if (d <= -180.0) d += 360.0;
  return d;
}

// | |new|/|old| - 1 |, infinite where only NEW passes a signal.
double gain_error(double old_gain, double new_gain) {
  if (old_gain > 0) return std::fabs(new_gain / old_gain - 1.0);
  return new_gain > 0 ? INFINITY : 0.0;
}

}  // namespace

void compare_stabilizers(const RecordValues& old_record, const RecordValues& new_record,
                         const ComparisonOptions& options, Comparison& c, Trajectories& t) {
  StabilizerModel old_s;
  StabilizerModel new_s;
  Verdict verdict{Problem::none, ""};
  if (!make_model(old_record, old_s, verdict, c.notes)) return decide_verdict(c, verdict, false);
  if (!make_model(new_record, new_s, verdict, c.notes)) return decide_verdict(c, verdict, true);
  if (!representable(old_s, new_s, verdict)) return decide_verdict(c, verdict, true);
  note(c.notes, "input codes taken as numbered alike in both models");
  char reason[kReasonSize];
  compare_signals(old_s, new_s, reason, sizeof reason);
  double worst_gain = 0.0;
  double worst_phase = 0.0;
  int gain_at = 0;
  int phase_at = 0;
  const bool second = second_code(old_s) != 0 || second_code(new_s) != 0;
  double second_gain[2][kFrequencyCount] = {};  // of the second input, OLD and NEW
  for (int i = 0; i < kFrequencyCount; ++i) {
    const double f = kStabilizerFrequencies[i];
    const Complex g_old = stabilizer_response(old_s, f);
    const Complex g_new = stabilizer_response(new_s, f);
    t.gain_old[i] = magnitude(g_old);
    t.gain_new[i] = magnitude(g_new);
    t.phase_old[i] = phase_degrees(g_old);
    t.phase_new[i] = phase_degrees(g_new);
    const double e = gain_error(t.gain_old[i], t.gain_new[i]);
    if (!(e <= worst_gain)) {
      worst_gain = e;
      gain_at = i;
    }
    if (t.gain_old[i] > 0 && t.gain_new[i] > 0) {
      const double p = std::fabs(wrapped(t.phase_new[i] - t.phase_old[i]));
      if (!(p <= worst_phase)) {
        worst_phase = p;
        phase_at = i;
      }
    }
    // A second input (pss2a's) is compared as the first.
    if (second) {
      second_gain[0][i] = magnitude(stabilizer_response(old_s, f, true));
      second_gain[1][i] = magnitude(stabilizer_response(new_s, f, true));
      const double e2 = gain_error(second_gain[0][i], second_gain[1][i]);
      if (!(e2 <= worst_gain)) {
        worst_gain = e2;
        gain_at = i;
      }
    }
  }
  t.steps = 0;
  // A gain or phase that is no finite number is the data's: no error can be measured.
  for (int side = 0; side < 2; ++side) {
    const double* gains = side ? t.gain_new : t.gain_old;
    const double* phases = side ? t.phase_new : t.phase_old;
    for (int i = 0; i < kFrequencyCount; ++i) {
      const char* what = !std::isfinite(gains[i])               ? "gain"
                         : !std::isfinite(phases[i])            ? "phase"
                         : !std::isfinite(second_gain[side][i]) ? "second input's gain"
                                                                : nullptr;
      if (!what) continue;
      const double v = !std::isfinite(gains[i])    ? gains[i]
                       : !std::isfinite(phases[i]) ? phases[i]
                                                   : second_gain[side][i];
      char non_finite[kReasonSize];
      std::snprintf(non_finite, sizeof non_finite,
                    "%s: its %s is not a finite number (%g at %g Hz)", side ? "NEW" : "OLD", what,
                    v, kStabilizerFrequencies[i]);
      return decide_all(c, Outcome::invalid_data, side == 1, non_finite);
    }
  }
  OutputComparison& gain = c.outputs[0];
  OutputComparison& phase = c.outputs[1];
  gain.deviation = worst_gain;
  gain.at = kStabilizerFrequencies[gain_at];
  phase.deviation = worst_phase;
  phase.at = kStabilizerFrequencies[phase_at];
  if (reason[0]) {
    gain.outcome = phase.outcome = Outcome::fail;
    set_reason(gain.reason, reason);
    set_reason(phase.reason, reason);
    return;
  }
  gain.reason[0] = phase.reason[0] = '\0';
  gain.outcome = worst_gain <= options.tolerance ? Outcome::pass : Outcome::fail;
  if (gain.outcome == Outcome::fail)
    std::snprintf(gain.reason, sizeof gain.reason, "gain error %.3g at %g Hz, above %.3g",
                  worst_gain, gain.at, options.tolerance);
  phase.outcome = worst_phase <= options.phase_tolerance ? Outcome::pass : Outcome::fail;
  if (phase.outcome == Outcome::fail)
    std::snprintf(phase.reason, sizeof phase.reason, "phase error %.3g deg at %g Hz, above %.3g",
                  worst_phase, phase.at, options.phase_tolerance);
}
