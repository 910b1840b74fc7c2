// What the conversion report keeps of one output parameter's converted values: counts,
// the smallest, mean and largest value, and a histogram of a fixed number of bins, so
// that nothing grows with the data file.
#include "rulecheck/report/parameter_stats.h"

#include <cmath>
#include <cstring>

#include "convert/convert_record.h"

namespace {

// The own range starts around the first value, with bins a sixteenth of its power of
// two (of one for a zero).
void start_own_range(Histogram& h, double value) {
  int exponent = 0;
  if (value != 0.0) std::frexp(value, &exponent);
  h.width = std::ldexp(1.0, exponent - 4);
  h.low = std::floor(value / h.width) * h.width - (kHistogramBins / 2) * h.width;
  h.started = true;
}

// Doubles the own range, about its middle, until it holds `value`; the counts of two
// bins go into one, which is exact since every edge is a multiple of the bin width.
void widen_to(Histogram& h, double value) {
  while (value < h.low || value >= h.low + kHistogramBins * h.width) {
    const double wider = 2.0 * h.width;
    const double low = std::floor((h.low - kHistogramBins * h.width / 2.0) / wider) * wider;
    int32_t counts[kHistogramBins + 2] = {};
    int32_t replaced[kHistogramBins + 2] = {};
    for (int i = 1; i <= kHistogramBins; ++i) {
      const double from = h.low + (i - 1) * h.width;
      const int j = 1 + static_cast<int>(std::floor((from - low) / wider));
      counts[j] += h.counts[i];
      replaced[j] += h.replaced[i];
    }
    std::memcpy(h.counts, counts, sizeof counts);
    std::memcpy(h.replaced, replaced, sizeof replaced);
    h.low = low;
    h.width = wider;
  }
}

// The bin of a usable value, or -1 for an infinite one outside a band.
int bin_of(Histogram& h, double value) {
  if (h.band) {
    if (value < h.low) return 0;
    if (value > h.low + kHistogramBins * h.width) return kHistogramBins + 1;
    const int i = static_cast<int>(std::floor((value - h.low) / h.width));
    return 1 + (i < kHistogramBins ? i : kHistogramBins - 1);
  }
  if (!std::isfinite(value)) return -1;
  if (!h.started) start_own_range(h, value);
  widen_to(h, value);
  const int i = static_cast<int>(std::floor((value - h.low) / h.width));
  return 1 + (i < 0 ? 0 : i >= kHistogramBins ? kHistogramBins - 1 : i);
}

}  // namespace

void start_stats(ParameterStats& stats, float low, float high) {
  std::memset(&stats, 0, sizeof stats);
  stats.low = low;
  stats.high = high;
  Histogram& h = stats.histogram;
  h.band = low < high;
  if (h.band) {
    h.low = low;
    h.width = (static_cast<double>(high) - low) / kHistogramBins;
  }
}

void add_value(ParameterStats& stats, float value, ValueMark mark) {
  ++stats.values;
  if (mark != ValueMark::passed) ++stats.suspect;
  if (mark == ValueMark::replaced) ++stats.replaced;
  if (outside_limits(value, stats.low, stats.high)) ++stats.outside;
  if (value < kFailureThreshold || std::isnan(value)) {  // as the conversion fails a record
    ++stats.failed;
    return;
  }
  if (stats.usable == 0 || value < stats.min) stats.min = value;
  if (stats.usable == 0 || value > stats.max) stats.max = value;
  ++stats.usable;
  stats.sum += value;
  const int bin = bin_of(stats.histogram, value);
  if (bin < 0) return;
  ++stats.histogram.counts[bin];
  if (mark == ValueMark::replaced) ++stats.histogram.replaced[bin];
}

void bin_range(const Histogram& h, int i, double* from, double* to) {
  *from = h.low + (i - 1) * h.width;
  *to = *from + h.width;
}
