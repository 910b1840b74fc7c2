// The deviation of NEW from OLD over whole arrays of samples.
#include "dynamics/comparison/metric.h"

Deviation deviation_of(const double* old_values, const double* new_values, int steps) {
  DeviationMeter meter;
  for (int n = 0; n <= steps; ++n) meter.add(n, old_values[0], old_values[n], new_values[n]);
  return meter.result();
}
