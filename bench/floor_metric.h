// The check's largest-difference metric, as the floors compute it: the largest |NEW - OLD|
// over every `every`-th sample, relative to how far OLD moved (absolute where it hardly moved).
#pragma once
#include <cmath>

inline double floor_deviation(const double* a, const double* b, int steps, int every) {
  double moved = 0, largest = 0;
  for (int n = 0; n <= steps; n += every) {
    moved = std::fmax(moved, std::fabs(a[n] - a[0]));
    largest = std::fmax(largest, std::fabs(b[n] - a[n]));
  }
  return moved < 1e-6 ? largest : largest / moved;
}
