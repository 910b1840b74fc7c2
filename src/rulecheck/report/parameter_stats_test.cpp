// The statistics of one output parameter: counts, extremes and mean, and histograms
// over the rule's band or over the values' own range, whose bins never lose a value.
#include "rulecheck/report/parameter_stats.h"

#include <limits>
#include <random>

#include "test_support.h"

namespace {

int total(const Histogram& h) {
  int n = 0;
  for (int c : h.counts) n += c;
  return n;
}

TEST(ParameterStats, CountsExtremesAndFailures) {
  ParameterStats s;
  start_stats(s, 0.0f, 10.0f);
  add_value(s, 2.0f, ValueMark::passed);
  add_value(s, 8.0f, ValueMark::replaced);
  add_value(s, -5.0f, ValueMark::kept);
  add_value(s, -99999.0f, ValueMark::passed);  // failed: not in min, mean, max or the bins
  add_value(s, std::numeric_limits<float>::quiet_NaN(), ValueMark::passed);
  add_value(s, -99998.0f, ValueMark::passed);  // exactly the threshold stands
  EXPECT_EQ(s.values, 6);
  EXPECT_EQ(s.suspect, 2);
  EXPECT_EQ(s.replaced, 1);
  EXPECT_EQ(s.failed, 2);
  EXPECT_EQ(s.usable, 4);
  EXPECT_EQ(s.min, -99998.0f);
  EXPECT_EQ(s.max, 8.0f);
  EXPECT_DOUBLE_EQ(s.sum, 2.0 + 8.0 - 5.0 - 99998.0);
}

TEST(ParameterStats, BandBinsWithOneBelowAndOneAbove) {
  ParameterStats s;
  start_stats(s, 0.0f, 10.0f);
  const Histogram& h = s.histogram;
  ASSERT_TRUE(h.band);
  for (float v : {-0.1f, 0.0f, 0.49f, 0.5f, 9.99f, 10.0f, 10.01f, 1e30f,
                  std::numeric_limits<float>::infinity()})
    add_value(s, v, v == 0.5f ? ValueMark::replaced : ValueMark::passed);
  EXPECT_EQ(h.counts[0], 1);  // below the band
  EXPECT_EQ(h.counts[1], 2);  // [0, 0.5)
  EXPECT_EQ(h.counts[2], 1);  // [0.5, 1)
  EXPECT_EQ(h.replaced[2], 1);
  EXPECT_EQ(h.counts[kHistogramBins], 2);      // the high limit is in the band
  EXPECT_EQ(h.counts[kHistogramBins + 1], 3);  // above it, infinity too
}

TEST(ParameterStats, OwnRangeWidensWithoutLosingAValue) {
  // Limits that give no band: the bins follow the values, doubling as they spread.
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    ParameterStats s;
    start_stats(s, 3.0f, 3.0f);
    const Histogram& h = s.histogram;
    ASSERT_FALSE(h.band);
    std::uniform_real_distribution<float> spread(-1e4f, 1e4f);
    const int n = 1 + static_cast<int>(rng() % 300);
    for (int i = 0; i < n; ++i) {
      float v = round % 3 == 0 ? 0.0f : spread(rng) / static_cast<float>(1 << (rng() % 20));
      if (round % 7 == 0 && i == n / 2) v = 3e38f;
      add_value(s, v, i % 5 == 0 ? ValueMark::replaced : ValueMark::passed);
    }
    ASSERT_EQ(total(h), n) << round;
    EXPECT_EQ(h.counts[0] + h.counts[kHistogramBins + 1], 0);
    double from, to, last_from, last_to;
    bin_range(h, 1, &from, &to);
    bin_range(h, kHistogramBins, &last_from, &last_to);
    EXPECT_LE(from, s.min);
    EXPECT_GT(last_to, s.max);
  }
}

}  // namespace
