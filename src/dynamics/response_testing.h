// What the response tests share: a record of a model from a list of values, and the
// comparison of two records with the trajectories it ran.
#pragma once
#include <cmath>
#include <memory>
#include <vector>

#include "dynamics/comparison.h"
#include "models/catalogue.h"

namespace response_testing {

// A record of a model with these values.
struct Record {
  std::vector<float> values;
  RecordValues of(const char* model) const {
    return RecordValues{find_model(model), values.data(), static_cast<int>(values.size())};
  }
};

struct Compared {
  Comparison comparison;
  std::unique_ptr<Trajectories> t = std::make_unique<Trajectories>();
  const OutputComparison& out(int i = 0) const { return comparison.outputs[i]; }
  // An output at time t, OLD or NEW.
  double old_at(int output, double seconds) const {
    return t->old_values[output][std::lround(seconds * kStepsPerSecond)];
  }
  double new_at(int output, double seconds) const {
    return t->new_values[output][std::lround(seconds * kStepsPerSecond)];
  }
  // The first output's change from its start (Pm - P0 for a governor) at time t.
  double old_change(double seconds) const { return old_at(0, seconds) - old_at(0, 0); }
  double new_change(double seconds) const { return new_at(0, seconds) - new_at(0, 0); }
};

// OLD and NEW compared with a tolerance of 5 % and 5 degrees.
inline Compared compare(const char* old_model, const Record& old_values, const char* new_model,
                        const Record& new_values) {
  Compared c;
  compare_records(old_values.of(old_model), new_values.of(new_model), ComparisonOptions{0.05, 5.0},
                  c.comparison, *c.t);
  return c;
}

}  // namespace response_testing
