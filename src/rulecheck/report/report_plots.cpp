// The report's plots: axes with ticks and values, lines of OLD, NEW and their difference.
#include "rulecheck/report/report_plots.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "text/format.h"

namespace {

constexpr const char* kOldColour = "#1f4e79";
constexpr const char* kNewColour = "#d9822b";
constexpr const char* kDifferenceColour = "#a3261b";
constexpr const char* kRuleColour = "#8c8c8c";  // NEW as the rule converts it, beside a fit
constexpr const char* kGridColour = "#c9d1dc";
constexpr const char* kTickColour = "#e4e8ee";
constexpr double kLeft = 50, kRight = 336;  // 286 columns of pixels, one per PlotColumns'

// A value rounded to 4 significant digits, in its shortest form: for axis labels.
void rounded(double v, char* out) {
  char text[48];
  std::snprintf(text, sizeof text, "%.4g", v);
  put_shortest(out, static_cast<float>(std::strtod(text, nullptr)));
}

void svg_label(Html& h, double x, double y, const char* anchor, const char* content) {
  Element t(h, "text");
  t.attr("x", x, 1).attr("y", y, 1).attr("text-anchor", anchor);
  text(h, content);
}

void svg_line(Html& h, double x1, double y1, double x2, double y2, const char* colour) {
  Element l(h, "line");
  l.attr("x1", x1, 1).attr("y1", y1, 1).attr("x2", x2, 1).attr("y2", y2, 1);
  l.attr("stroke", colour);
}

// 10 to a whole power, by multiplying: the same bits on every system.
double power_of_ten(int exponent) {
  double p = 1.0;
  for (int i = 0; i < exponent; ++i) p *= 10.0;
  for (int i = 0; i > exponent; --i) p /= 10.0;
  return p;
}

// A tick step of 1, 2 or 5 times a power of ten that cuts `range` into about `count`.
double tick_step(double range, int count) {
  const double raw = range / count;
  if (!(raw > 0) || !std::isfinite(raw)) return 1.0;
  int exponent = 0;
  while (power_of_ten(exponent + 1) <= raw && exponent < 300) ++exponent;
  while (power_of_ten(exponent) > raw && exponent > -300) --exponent;
  const double scale = power_of_ten(exponent);
  const double norm = raw / scale;
  return (norm < 1.5 ? 1.0 : norm < 3.5 ? 2.0 : norm < 7.5 ? 5.0 : 10.0) * scale;
}

// A plot's area and the values it shows.
struct Frame {
  double y0, y1;  // top and bottom in pixels
  double lo, hi;  // the values at the bottom and the top
  double y_of(double v) const { return y1 - (v - lo) / (hi - lo) * (y1 - y0); }
};

// Widens a range that is a point, and pads it by 5 % on each side.
void settle_range(Frame& f, double flat) {
  if (!(f.hi - f.lo > 1e-9)) {
    f.lo -= flat;
    f.hi += flat;
  }
  const double pad = (f.hi - f.lo) * 0.05;
  f.lo -= pad;
  f.hi += pad;
}

// The frame, a light line and a value at every tick of the vertical axis, and the name
// of what it shows.
void y_axis(Html& h, const Frame& f, const char* name) {
  {
    Element frame(h, "rect");
    frame.attr("x", kLeft, 1).attr("y", f.y0, 1).attr("width", kRight - kLeft, 1);
    frame.attr("height", f.y1 - f.y0, 1).attr("fill", "none").attr("stroke", kGridColour);
  }
  // About one tick per 25 pixels; values of tiny steps in units of a power of ten that
  // the axis names, so that every label stays short.
  const int ticks = std::max(2, static_cast<int>((f.y1 - f.y0) / 25));
  const double step = tick_step(f.hi - f.lo, ticks);
  int exponent = 0;
  if (step < 1e-3)
    while (power_of_ten(exponent) > step && exponent > -300) --exponent;
  const double unit = power_of_ten(exponent);
  char label[64];
  for (double k = std::ceil(f.lo / step); k * step <= f.hi && k < std::ceil(f.lo / step) + 12;
       ++k) {
    const double v = std::fabs(k) < 1e-9 ? 0.0 : k * step;
    const double y = f.y_of(v);
    svg_line(h, kLeft, y, kRight, y, kTickColour);
    rounded(v / unit, label);
    svg_label(h, kLeft - 3, y + 3, "end", label);
  }
  // The name, and beside it the power of ten the labels are in (they are short then).
  const double middle = (f.y0 + f.y1) / 2;
  for (int line = 0; line < (exponent != 0 ? 2 : 1); ++line) {
    const double x = line == 0 ? 9 : 20;
    char content[64];
    if (line == 0)
      std::snprintf(content, sizeof content, "%s", name);
    else
      std::snprintf(content, sizeof content, "in 1e%d", exponent);
    Element t(h, "text");
    t.attr("x", x, 1).attr("y", middle, 1).attr("text-anchor", "middle");
    char rotate[64];
    std::snprintf(rotate, sizeof rotate, "rotate(-90 %.0f %.1f)", x, middle);
    t.attr("transform", rotate);
    text(h, content);
  }
}

// Ticks and values of seconds under a frame, the last one with its unit.
void time_axis(Html& h, const Frame& f, double seconds) {
  const double step = tick_step(seconds, 6);
  char label[64];
  for (double k = 0; k * step <= seconds + 1e-9; ++k) {
    const double x = kLeft + (kRight - kLeft) * (k * step) / seconds;
    svg_line(h, x, f.y1, x, f.y1 + 3, kGridColour);
    rounded(k * step, label);
    const bool last = (k + 1) * step > seconds + 1e-9;
    if (last) std::snprintf(label + std::strlen(label), 8, " s");
    svg_label(h, x, f.y1 + 12, last ? "end" : "middle", label);
  }
}

// The extremes of every column as a line.
void polyline(Html& h, const Frame& f, const PlotColumns& v, int steps, const char* colour,
              bool dashed) {
  char points[12000];
  char* p = points;
  for (int c = 0; c < kPlotColumns && p < points + sizeof points - 64; ++c) {
    const int low = v.low_at[c];
    const int high = v.high_at[c];
    const bool low_first = low <= high;
    for (int k = 0; k < 2; ++k) {
      const bool take_low = (k == 0) == low_first;
      const int n = take_low ? low : high;
      const double value = take_low ? v.low[c] : v.high[c];
      if (!std::isfinite(value)) continue;
      p = put_fixed(p, kLeft + (kRight - kLeft) * n / steps, 0, 1);
      *p++ = ',';
      p = put_fixed(p, f.y_of(value), 0, 1);
      *p++ = ' ';
      if (low == high) break;
    }
  }
  if (p > points) --p;
  *p = '\0';
  Element line(h, "polyline");
  line.attr("points", points).attr("fill", "none").attr("stroke", colour);
  line.attr("stroke-width", dashed ? "1.6" : "1.2");
  if (dashed) line.attr("stroke-dasharray", "4 2");
}

}  // namespace

void time_plot(Html& h, const OutputPlot& plot, int steps, const char* output, bool difference,
               const PlotColumns* rule_side) {
  Frame top{12, 112, plot.lo, plot.hi};
  if (rule_side) {
    for (int c = 0; c < kPlotColumns; ++c) {
      if (std::isfinite(rule_side->low[c])) top.lo = std::min(top.lo, rule_side->low[c]);
      if (std::isfinite(rule_side->high[c])) top.hi = std::max(top.hi, rule_side->high[c]);
    }
  }
  settle_range(top, 0.5e-3);
  Frame below{140, 192, plot.difference_lo, plot.difference_hi};
  double f_value = 0.0;
  settle_range(below, 0.5e-6);
  const double seconds = steps * kStep;
  const int height = difference ? 214 : 134;
  char box[48];
  std::snprintf(box, sizeof box, "0 0 346 %d", height);
  Element svg(h, "svg");
  svg.attr("width", 346).attr("height", height).attr("viewBox", box).attr("role", "img");
  svg.attr("aria-label", rule_side    ? "OLD, NEW as the rule converts it and NEW fitted"
                         : difference ? "OLD, NEW and NEW - OLD"
                                      : "OLD and NEW response");
  y_axis(h, top, output);
  time_axis(h, top, seconds);
  if (rule_side) polyline(h, top, *rule_side, steps, kRuleColour, true);
  polyline(h, top, plot.old_side, steps, kOldColour, false);
  polyline(h, top, plot.new_side, steps, kNewColour, true);
  if (!difference) return;
  y_axis(h, below, "NEW - OLD");
  time_axis(h, below, seconds);
  if (below.lo < 0 && below.hi > 0)
    svg_line(h, kLeft, below.y_of(0), kRight, below.y_of(0), kGridColour);
  polyline(h, below, plot.difference, steps, kDifferenceColour, false);
  // The largest difference, marked.
  int at = 0;
  double largest = -1.0;
  const PlotColumns& d = plot.difference;
  for (int c = 0; c < kPlotColumns; ++c) {
    for (const int k : {0, 1}) {
      const double v = k ? d.high[c] : d.low[c];
      if (std::isfinite(v) && std::fabs(v) > largest) {
        largest = std::fabs(v);
        at = k ? d.high_at[c] : d.low_at[c];
        f_value = v;
      }
    }
  }
  if (largest > 0) {
    Element dot(h, "circle");
    dot.attr("cx", kLeft + (kRight - kLeft) * at / steps, 1).attr("cy", below.y_of(f_value), 1);
    dot.attr("r", 2.5, 1).attr("fill", "none").attr("stroke", kDifferenceColour);
  }
}

void bode_plot(Html& h, const RecordPlot& t, bool phase) {
  const double* a = phase ? t.phase_old : t.gain_old;
  const double* b = phase ? t.phase_new : t.gain_new;
  Frame f{12, 112, a[0], a[0]};
  for (int i = 0; i < kFrequencyCount; ++i) {
    for (const double v : {a[i], b[i]}) {
      if (std::isfinite(v)) {
        f.lo = std::min(f.lo, v);
        f.hi = std::max(f.hi, v);
      }
    }
  }
  if (!std::isfinite(f.lo) || !std::isfinite(f.hi)) f.lo = f.hi = 0.0;
  settle_range(f, 1.0);
  Element svg(h, "svg");
  svg.attr("width", 346).attr("height", 134).attr("viewBox", "0 0 346 134").attr("role", "img");
  svg.attr("aria-label", phase ? "phase of OLD and NEW" : "gain of OLD and NEW");
  y_axis(h, f, phase ? "phase (deg)" : "gain");
  const double l0 = std::log10(kStabilizerFrequencies[0]);
  const double l1 = std::log10(kStabilizerFrequencies[kFrequencyCount - 1]);
  const auto x_of = [&](double hz) {
    return kLeft + (std::log10(hz) - l0) / (l1 - l0) * (kRight - kLeft);
  };
  char label[64];
  for (const double hz : {0.1, 0.2, 0.5, 1.0, 2.0, 3.0}) {
    svg_line(h, x_of(hz), f.y1, x_of(hz), f.y1 + 3, kGridColour);
    rounded(hz, label);
    if (hz == 3.0) std::snprintf(label + std::strlen(label), 8, " Hz");
    svg_label(h, x_of(hz), f.y1 + 12, hz == 3.0 ? "end" : "middle", label);
  }
  for (const bool is_new : {false, true}) {
    const double* v = is_new ? b : a;
    char points[1024];
    char* p = points;
    for (int i = 0; i < kFrequencyCount; ++i) {
      if (!std::isfinite(v[i])) continue;
      p = put_fixed(p, x_of(kStabilizerFrequencies[i]), 0, 1);
      *p++ = ',';
      p = put_fixed(p, f.y_of(v[i]), 0, 1);
      *p++ = ' ';
    }
    if (p > points) --p;
    *p = '\0';
    Element line(h, "polyline");
    line.attr("points", points)
        .attr("fill", "none")
        .attr("stroke", is_new ? kNewColour : kOldColour);
    if (is_new) line.attr("stroke-dasharray", "4 2");
  }
}
