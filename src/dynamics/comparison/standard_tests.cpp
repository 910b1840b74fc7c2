// The standard tests as data, and their description in words.
#include "dynamics/comparison/standard_tests.h"

#include <cstdio>
#include <iterator>

const StandardTest kStandardTests[] = {
    {"speed_step", ModelKind::governor, "governors", "speed step", Metric::time_domain, -0.004,
     1.0, "", 0.8, 30.0, 60.0, 1, {"pm"}, {"Pm"}},
    {"frequency_response", ModelKind::stabilizer, "stabilizers", "gain and phase",
     Metric::frequency, 0.0, 0.0, "", 0.0, 0.0, 0.0, 2, {"gain", "phase"}, {"gain", "phase"}},
    {"reference_step", ModelKind::exciter, "exciters", "reference step", Metric::time_domain, 0.05,
     1.0, " on a fixed open-circuit machine", 0.0, 10.0, 0.0, 2, {"efd", "vt"}, {"Efd", "Vt"}},
    {"field_step", ModelKind::generator, "generators", "field step", Metric::time_domain, 0.05, 1.0,
     " on open circuit", 0.0, 20.0, 0.0, 1, {"vt"}, {"Vt"}},
};
const int kStandardTestCount = static_cast<int>(std::size(kStandardTests));

const StandardTest* standard_test(ModelKind kind) {
  for (const StandardTest& t : kStandardTests) {
    if (t.kind == kind) return &t;
  }
  return nullptr;
}

void describe_tests(char* out, std::size_t size, double tolerance_percent, double phase_degrees) {
  std::size_t used = 0;
  const auto put = [&](const char* format, auto... values) {
    if (used >= size) return;
    const int n = std::snprintf(out + used, size - used, format, values...);
    if (n > 0) used += static_cast<std::size_t>(n);
  };
  for (const StandardTest& t : kStandardTests) {
    put("%s%s: %s", used ? "; " : "", t.label, t.what);
    if (t.metric == Metric::frequency) {
      put(" at %g to %g Hz", kStabilizerFrequencies[0],
          kStabilizerFrequencies[kFrequencyCount - 1]);
      continue;
    }
    put(" %+g pu at %g s%s", t.step, t.at, t.where);
    if (t.p0 > 0) put(" from P0 = %g pu", t.p0);
    put(", %s", t.output_labels[0]);
    for (int i = 1; i < t.outputs; ++i) put(" and %s", t.output_labels[i]);
    put(" over %g s", t.seconds);
    if (t.hydro_seconds > 0) put(" (%g s for hydro units)", t.hydro_seconds);
  }
  put("; h = 1/%d s; tolerance %g %%, phase %g deg", kStepsPerSecond, tolerance_percent,
      phase_degrees);
}
