// The plots of the records the report shows per rule (the five worst and the median),
// made once the check is over by running those records again: for a time-domain test,
// per output and side, the smallest and largest sample of each column of the plot's
// pixels, so that no peak is lost; for a stabilizer, gain and phase per frequency. The
// report draws them and runs nothing.
#pragma once
#include <cstdint>

#include "dynamics/comparison/comparison.h"

constexpr int kPlotColumns = 286;

// One response's extremes per column of pixels: samples from steps c / columns to
// steps (c + 1) / columns - 1 of column c.
struct PlotColumns {
  int32_t low_at[kPlotColumns];
  int32_t high_at[kPlotColumns];
  double low[kPlotColumns];
  double high[kPlotColumns];
};

struct OutputPlot {
  PlotColumns old_side;
  PlotColumns new_side;
  PlotColumns difference;  // NEW - OLD
  double first;            // OLD's first sample
  double lo, hi;           // the finite samples of both sides lie between them
  double difference_lo, difference_hi;
};

struct KeptRecord;

struct RecordPlot {
  const KeptRecord* record;
  int title;  // 0..4: the n-th worst; 5: the median
  Comparison comparison;
  int steps;  // 0: a stabilizer's gain and phase
  OutputPlot outputs[kMaxComparedOutputs];
  double gain_old[kFrequencyCount];
  double phase_old[kFrequencyCount];
  double gain_new[kFrequencyCount];
  double phase_new[kFrequencyCount];
};

// One response's columns over `steps` steps.
void plot_columns(PlotColumns& p, const double* values, int steps);

// Makes the plot of one record from the trajectories and NEW's every step of its
// comparison.
void make_plot(RecordPlot& plot, const Comparison& c, const Trajectories& t,
               const FullResponse& full);
