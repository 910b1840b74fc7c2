// Fuzz target: any values for every simulated model, OLD against NEW of every pair of one
// kind: the comparison ends, and no output passes with a deviation that is no number or
// beyond its tolerance.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "dynamics/comparison/comparison.h"
#include "models/catalogue.h"

namespace {

// The simulated models, in pairs of one kind.
constexpr const char* kModels[] = {"tgov1",  "ieeeg1", "gast",   "hygov",  "ieeest",
                                   "pss1a",  "pss2a",  "exst1",  "esst1a", "sexs",
                                   "ieeet1", "genrou", "gensal", "gentpf", "gentpj"};
constexpr int kModelCount = sizeof kModels / sizeof kModels[0];
Trajectories* trajectories;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  trajectories = new Trajectories;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const ModelEntry* old_model = find_model(kModels[data[0] % kModelCount]);
  const ModelEntry* new_model = find_model(kModels[data[1] % kModelCount]);
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
    if (o.outcome == Outcome::pass && !(o.deviation <= tolerance)) std::abort();
  }
  return 0;
}
