// The plots of the records the report shows, from their comparisons run again.
#include "rulecheck/responses/response_plots.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The extremes of value(n) in each column of pixels.
template <class Value>
void extremes_of(PlotColumns& p, int steps, Value value) {
  for (int c = 0; c < kPlotColumns; ++c) {
    const int from = static_cast<int>(static_cast<long>(steps) * c / kPlotColumns);
    const int to =
        std::max(from, static_cast<int>(static_cast<long>(steps) * (c + 1) / kPlotColumns) - 1);
    int low = from;
    int high = from;
    for (int n = from; n <= to; ++n) {
      if (value(n) < value(low)) low = n;
      if (value(n) > value(high)) high = n;
    }
    p.low_at[c] = low;
    p.high_at[c] = high;
    p.low[c] = value(low);
    p.high[c] = value(high);
  }
}

void columns_of(PlotColumns& p, const double* v, int steps) {
  extremes_of(p, steps, [v](int n) { return v[n]; });
}

// The columns of NEW - OLD, and their range.
void difference_of(OutputPlot& p, const double* a, const double* b, int steps) {
  PlotColumns& d = p.difference;
  extremes_of(d, steps, [a, b](int n) { return b[n] - a[n]; });
  p.difference_lo = p.difference_hi = 0.0;
  for (int c = 0; c < kPlotColumns; ++c) {
    if (std::isfinite(d.low[c])) p.difference_lo = std::min(p.difference_lo, d.low[c]);
    if (std::isfinite(d.high[c])) p.difference_hi = std::max(p.difference_hi, d.high[c]);
  }
}

void range_of(OutputPlot& p, const double* a, const double* b, int steps) {
  p.first = a[0];
  p.lo = p.hi = a[0];
  for (int n = 0; n <= steps; ++n) {
    for (const double v : {a[n], b[n]}) {
      if (std::isfinite(v)) {
        p.lo = std::min(p.lo, v);
        p.hi = std::max(p.hi, v);
      }
    }
  }
}

}  // namespace

void plot_columns(PlotColumns& p, const double* values, int steps) { columns_of(p, values, steps); }

void make_plot(RecordPlot& plot, const Comparison& c, const Trajectories& t,
               const FullResponse& full) {
  plot.comparison = c;
  plot.steps = c.kind == SimulatedKind::stabilizer ? 0 : t.steps;
  std::memcpy(plot.gain_old, t.gain_old, sizeof plot.gain_old);
  std::memcpy(plot.phase_old, t.phase_old, sizeof plot.phase_old);
  std::memcpy(plot.gain_new, t.gain_new, sizeof plot.gain_new);
  std::memcpy(plot.phase_new, t.phase_new, sizeof plot.phase_new);
  for (int i = 0; i < c.count && plot.steps > 0; ++i) {
    OutputPlot& p = plot.outputs[i];
    columns_of(p.old_side, t.old_full[i], plot.steps);
    columns_of(p.new_side, full.new_values[i], plot.steps);
    range_of(p, t.old_full[i], full.new_values[i], plot.steps);
    difference_of(p, t.old_full[i], full.new_values[i], plot.steps);
  }
}
