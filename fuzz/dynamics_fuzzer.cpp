// Fuzz target: any values for every simulated model, OLD against NEW of any two of them:
// the comparison ends, and no output passes with a deviation that is no number or beyond
// its tolerance, or with a response that holds a value that is no number.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "dynamics/comparison/comparison.h"
#include "models/catalogue.h"

namespace {

// The simulated models of the catalogue, in its order.
const ModelEntry* simulated[64];
int simulated_count;
Trajectories* trajectories;

bool finite_samples(const Trajectories& t, const Comparison& c, int output) {
  if (c.test && c.test->metric == Metric::frequency) {
    for (int i = 0; i < kFrequencyCount; ++i) {
      for (const double v : {t.gain_old[i], t.gain_new[i], t.phase_old[i], t.phase_new[i]})
        if (!std::isfinite(v)) return false;
    }
    return true;
  }
  for (int n = 0; n * kSampleEvery <= t.steps; ++n) {
    if (!std::isfinite(t.old_values[output][n]) || !std::isfinite(t.new_values[output][n]))
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  trajectories = new Trajectories;
  for (int i = 0; i < kCatalogueSize && simulated_count < 64; ++i) {
    if (kCatalogue[i].simulation) simulated[simulated_count++] = &kCatalogue[i];
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || simulated_count == 0) return 0;
  const ModelEntry* old_model = simulated[data[0] % simulated_count];
  const ModelEntry* new_model = simulated[data[1] % simulated_count];
  // The rest: OLD's values, then NEW's, 4 bytes each; a record may give fewer.
  float values[2][64] = {};
  const size_t floats = (size - 2) / 4;
  const int old_given = static_cast<int>(std::min<size_t>(floats / 2, old_model->count));
  const int new_given = static_cast<int>(std::min<size_t>(floats - floats / 2, new_model->count));
  for (int i = 0; i < old_given; ++i) std::memcpy(&values[0][i], data + 2 + 4 * i, 4);
  for (int i = 0; i < new_given; ++i)
    std::memcpy(&values[1][i], data + 2 + 4 * (floats / 2 + i), 4);
  const ComparisonOptions options{0.05, 5.0};
  Comparison c;
  compare_records(RecordValues{old_model, values[0], old_given},
                  RecordValues{new_model, values[1], new_given}, options, c, *trajectories);
  for (int i = 0; i < c.count; ++i) {
    const OutputComparison& o = c.outputs[i];
    const double tolerance = std::strcmp(o.output, "phase") == 0 ? 5.0 : 0.05;
    if (o.outcome != Outcome::pass) continue;
    if (!(o.deviation <= tolerance) || !std::isfinite(o.deviation)) std::abort();
    if (!finite_samples(*trajectories, c, i)) std::abort();
  }
  return 0;
}
