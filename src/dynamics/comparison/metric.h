// The deviation of NEW from OLD over the samples of a test: the largest difference over
// the largest excursion of OLD from its start (the largest difference itself where OLD
// moves less than 1e-6), with the sample of the largest difference. Measured as the
// samples come, so that NEW need not be kept.
#pragma once
#include <cmath>

struct Deviation {
  double value;  // NaN where a sample is no finite number
  int sample;
  bool absolute;
};

struct DeviationMeter {
  double excursion = 0.0;
  double largest = 0.0;
  int at = 0;
  bool finite = true;
  // Sample n of OLD (old0 its first) and of NEW.
  void add(int n, double old0, double old_n, double new_n) {
    const double moved = std::fabs(old_n - old0);
    const double difference = std::fabs(new_n - old_n);
    finite = finite && std::isfinite(moved) && std::isfinite(difference);
    if (moved > excursion) excursion = moved;
    if (difference > largest) {
      largest = difference;
      at = n;
    }
  }
  Deviation result() const {
    if (!finite) return Deviation{NAN, at, false};
    if (excursion < 1e-6) return Deviation{largest, at, true};
    return Deviation{largest / excursion, at, false};
  }
};

// The same over whole arrays of samples 0..steps.
Deviation deviation_of(const double* old_values, const double* new_values, int steps);
