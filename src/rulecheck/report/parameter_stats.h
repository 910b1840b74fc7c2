// What the conversion report keeps of one output parameter's converted values: counts,
// the smallest, mean and largest value, and a histogram of a fixed number of bins, so
// that nothing grows with the data file.
#pragma once
#include <cstdint>

#include "convert/convert_record.h"

constexpr int kHistogramBins = 20;

// The histogram's bins: where the rule gives a band (low limit below high limit), the
// band in kHistogramBins equal bins, with one bin below it (index 0) and one above it
// (index kHistogramBins + 1). Otherwise bins 1..kHistogramBins cover the values' own
// range: each is a power of two wide, and the range doubles (two bins merged into one)
// whenever a value falls outside it.
struct Histogram {
  bool band;
  double low;    // the band's edges, or the own range's start
  double width;  // of one bin
  bool started;  // a value has been met (own range)
  int32_t counts[kHistogramBins + 2];
  int32_t replaced[kHistogramBins + 2];  // of which were replaced
};

struct ParameterStats {
  float low;  // the rule's limits
  float high;
  int32_t values;    // converted records
  int32_t suspect;   // whose test yielded zero
  int32_t replaced;  // and whose replace expression then ran
  int32_t failed;    // left below -99998, or no number: the record failed
  int32_t outside;   // outside the band of the rule's limits (where they make one)
  // Over the other values: how many, their sum, the smallest and the largest. An
  // infinite value outside a band is counted here but has no bin.
  int32_t usable;
  double sum;
  float min;
  float max;
  Histogram histogram;
};

// A value outside the band from `low` to `high`; where the limits make no band (low not
// below high) no value is.
inline bool outside_limits(float value, float low, float high) {
  return low < high && !(value >= low && value <= high);
}

// Starts the statistics of an output parameter with limits `low` and `high`.
void start_stats(ParameterStats& stats, float low, float high);
// Counts one converted value with the mark its check gave it.
void add_value(ParameterStats& stats, float value, ValueMark mark);
// The range that bin `i` covers, [from, to).
void bin_range(const Histogram& histogram, int i, double* from, double* to);
