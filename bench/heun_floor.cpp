// The floor of the response check's speed: the same Heun steps of tgov1 and of its exact
// ieeeg1, for every record of a file, under both governor tests (the speed step, and the
// isolated unit with its rotating mass), in the plainest loop that computes them, with
// the same largest-difference metric. No parsing beyond sscanf, no checks, no files.
// Usage: heun_floor DATA_FILE
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "floor_metric.h"

namespace {

constexpr int kSteps = 30 * 480;
constexpr double h = 1.0 / 480;
double old_y[2][kSteps + 1];
double new_y[2][kSteps + 1];

double clamp(double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; }

struct Values {
  double r, t1, vmax, vmin, t2, t3, dt;
};

// tgov1: valve x[0] (non-windup), reheater x[1]; ieeeg1 exact: gate x[0] (rate 99), the
// stage after t5 x[1]. x[2] is the mass's speed on the isolated unit.
struct Tgov1 {
  const Values& v;
  double p0;
  double pm(const double* x, double dw) const {
    return (v.t2 / v.t3) * x[0] + (1 - v.t2 / v.t3) * x[1] - v.dt * dw;
  }
  void f(const double* x, double dw, double* dx) const {
    dx[0] = (p0 - dw / v.r - x[0]) / v.t1;
    if ((x[0] >= v.vmax && dx[0] > 0) || (x[0] <= v.vmin && dx[0] < 0)) dx[0] = 0;
    dx[1] = (x[0] - x[1]) / v.t3;
  }
};
struct Ieeeg1 {
  const Values& v;
  double p0;
  double pm(const double* x, double) const {
    return (v.t2 / v.t3) * x[0] + (1 - v.t2 / v.t3) * x[1];
  }
  void f(const double* x, double dw, double* dx) const {
    dx[0] = clamp((p0 - dw / v.r - x[0]) / v.t1, -99, 99);
    if ((x[0] >= v.vmax && dx[0] > 0) || (x[0] <= v.vmin && dx[0] < 0)) dx[0] = 0;
    dx[1] = (x[0] - x[1]) / v.t3;
  }
};

// Heun over the speed step (isolated false: Pm into y[0]) or the isolated unit (Pm into
// y[0], dw into y[1]): 8 dw' = Pm - Pe - dw, Pe = 0.8 + 0.05 from 1 s.
template <class M>
void run(const M& m, bool isolated, double (*y)[kSteps + 1]) {
  double x[3] = {m.p0, m.p0, 0.0}, k1[3], k2[3], xs[3];
  for (int n = 0;; ++n) {
    const double step = n >= 480 ? 1.0 : 0.0;
    const double pe = m.p0 + 0.05 * step;
    const auto derivs = [&](const double* s, double* d) {
      const double dw = isolated ? s[2] : -0.004 * step;
      m.f(s, dw, d);
      d[2] = isolated ? (m.pm(s, dw) - pe - s[2]) / 8.0 : 0.0;
    };
    const double dw = isolated ? x[2] : -0.004 * step;
    y[0][n] = m.pm(x, dw);
    y[1][n] = x[2];
    if (n == kSteps) break;
    derivs(x, k1);
    for (int i = 0; i < 3; ++i) xs[i] = x[i] + h * k1[i];
    xs[0] = clamp(xs[0], m.v.vmin, m.v.vmax);
    derivs(xs, k2);
    for (int i = 0; i < 3; ++i) x[i] += h / 2 * (k1[i] + k2[i]);
    x[0] = clamp(x[0], m.v.vmin, m.v.vmax);
  }
}

double deviation(const double* a, const double* b, int every) {
  return floor_deviation(a, b, kSteps, every);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::FILE* f = std::fopen(argv[1], "r");
  if (!f) return 1;
  char line[512];
  int records = 0;
  double worst = 0.0;
  while (std::fgets(line, sizeof line, f)) {
    const char* colon = std::strchr(line, ':');
    Values v;
    if (!colon || std::sscanf(colon + 1, " #1 mwcap=%*f %lf %lf %lf %lf %lf %lf %lf", &v.r, &v.t1,
                              &v.vmax, &v.vmin, &v.t2, &v.t3, &v.dt) != 7)
      continue;
    for (const bool isolated : {false, true}) {
      run(Tgov1{v, 0.8}, isolated, old_y);
      run(Ieeeg1{v, 0.8}, isolated, new_y);
      worst = std::fmax(worst, deviation(old_y[0], new_y[0], isolated ? 4 : 1));
      if (isolated) worst = std::fmax(worst, deviation(old_y[1], new_y[1], 4));
    }
    ++records;
  }
  std::fclose(f);
  std::printf("%d records, largest deviation %.3g\n", records, worst);
  return 0;
}
