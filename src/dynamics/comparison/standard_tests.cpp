// The standard tests as data, and their description in words.
#include "dynamics/comparison/standard_tests.h"

#include <cstdio>

const StandardTest kStandardTests[kStandardTestCount] = {
    {"speed_step",
     ModelKind::governor,
     "governors",
     "speed step",
     Metric::time_domain,
     -0.004,
     1.0,
     "",
     0.8,
     30.0,
     60.0,
     1,
     {"pm"},
     {"Pm"},
     1,
     0.0,
     0.0,
     nullptr},
    {"isolated",
     ModelKind::governor,
     "governors",
     "isolated unit",
     Metric::time_domain,
     0.05,
     1.0,
     "",
     0.8,
     30.0,
     60.0,
     2,
     {"pm", "dw"},
     {"Pm", "dw"},
     kStepsPerSecond / 120,
     4.0,
     1.0,
     "isolated"},
    {"frequency_response",
     ModelKind::stabilizer,
     "stabilizers",
     "gain and phase",
     Metric::frequency,
     0.0,
     0.0,
     "",
     0.0,
     0.0,
     0.0,
     2,
     {"gain", "phase"},
     {"gain", "phase"},
     1,
     0.0,
     0.0,
     nullptr},
    {"reference_step",
     ModelKind::exciter,
     "exciters",
     "reference step",
     Metric::time_domain,
     0.05,
     1.0,
     " on a fixed open-circuit machine",
     0.0,
     10.0,
     0.0,
     2,
     {"efd", "vt"},
     {"Efd", "Vt"},
     1,
     0.0,
     0.0,
     nullptr},
    {"field_step",
     ModelKind::generator,
     "generators",
     "field step",
     Metric::time_domain,
     0.05,
     1.0,
     " on open circuit",
     0.0,
     20.0,
     0.0,
     1,
     {"vt"},
     {"Vt"},
     1,
     0.0,
     0.0,
     nullptr},
};

const StandardTest* standard_test(ModelKind kind) {
  for (const StandardTest& t : kStandardTests) {
    if (t.kind == kind) return &t;
  }
  return nullptr;
}

namespace {

// Appends to a text of `size`, cut at its end.
struct Writer {
  char* out;
  std::size_t size;
  std::size_t used = 0;
  template <class... Values>
  void put(const char* format, Values... values) {
    if (used >= size) return;
    const int n = std::snprintf(out + used, size - used, format, values...);
    if (n > 0) used += static_cast<std::size_t>(n);
  }
};

}  // namespace

void describe_test(const StandardTest& t, char* out, std::size_t size) {
  Writer w{out, size};
  if (size > 0) out[0] = '\0';
  w.put("%s: %s", t.label, t.what);
  if (t.metric == Metric::frequency) {
    w.put(" at %g to %g Hz", kStabilizerFrequencies[0],
          kStabilizerFrequencies[kFrequencyCount - 1]);
    return;
  }
  if (t.inertia > 0)
    w.put(", load %+g pu at %g s on one mass (H = %g s, D = %g)", t.step, t.at, t.inertia,
          t.load_damping);
  else
    w.put(" %+g pu at %g s%s", t.step, t.at, t.where);
  if (t.p0 > 0) w.put(" from P0 = %g pu", t.p0);
  w.put(", %s", t.output_labels[0]);
  for (int i = 1; i < t.outputs; ++i) w.put(" and %s", t.output_labels[i]);
  w.put(" over %g s", t.seconds);
  if (t.hydro_seconds > 0) w.put(" (%g s for hydro units)", t.hydro_seconds);
  if (t.compare_every > 1) w.put(", compared every 1/%d s", kStepsPerSecond / t.compare_every);
}

void describe_numerics(char* out, std::size_t size, double tolerance_percent,
                       double phase_degrees) {
  std::snprintf(out, size, "h = 1/%d s, tolerance %g %%, phase %g deg", kStepsPerSecond,
                tolerance_percent, phase_degrees);
}
