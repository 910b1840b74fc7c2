// The floor of the response check's speed: the same Heun steps of tgov1 and of its exact
// ieeeg1, for every record of a file, in the plainest loop that computes them, with the
// same largest-difference metric. No parsing beyond sscanf, no checks, no files written.
// Usage: heun_floor DATA_FILE
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kSteps = 30 * 480;
constexpr double h = 1.0 / 480;
double old_pm[kSteps + 1];
double new_pm[kSteps + 1];

double clamp(double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; }

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
    double r, t1, vmax, vmin, t2, t3, dt;
    if (!colon || std::sscanf(colon + 1, " #1 mwcap=%*f %lf %lf %lf %lf %lf %lf %lf", &r, &t1,
                              &vmax, &vmin, &t2, &t3, &dt) != 7)
      continue;
    const double p0 = 0.8;
    // tgov1: valve x1 (non-windup), reheater x2.
    double x1 = p0, x2 = p0;
    for (int n = 0; n <= kSteps; ++n) {
      const double dw = n >= 480 ? -0.004 : 0.0;
      const double d = p0 - dw / r;
      old_pm[n] = (t2 / t3) * x1 + (1 - t2 / t3) * x2 - dt * dw;
      if (n == kSteps) break;
      double f1 = (d - x1) / t1;
      if ((x1 >= vmax && f1 > 0) || (x1 <= vmin && f1 < 0)) f1 = 0;
      const double f2 = (x1 - x2) / t3;
      const double p1 = clamp(x1 + h * f1, vmin, vmax), p2 = x2 + h * f2;
      double g1 = (d - p1) / t1;
      if ((p1 >= vmax && g1 > 0) || (p1 <= vmin && g1 < 0)) g1 = 0;
      const double g2 = (p1 - p2) / t3;
      x1 = clamp(x1 + h / 2 * (f1 + g1), vmin, vmax);
      x2 += h / 2 * (f2 + g2);
    }
    // ieeeg1, exact: k = 1/r, servo t1 of tgov1 with rate limits of 99, k1 = t2/t3, t5 = t3.
    const double k = 1 / r, k1 = t2 / t3, k3 = 1 - k1;
    double g = p0, x5 = p0;
    for (int n = 0; n <= kSteps; ++n) {
      const double dw = n >= 480 ? -0.004 : 0.0;
      new_pm[n] = k1 * g + k3 * x5;
      if (n == kSteps) break;
      const double target = p0 + k * -dw;
      double f1 = clamp((target - g) / t1, -99, 99);
      if ((g >= vmax && f1 > 0) || (g <= vmin && f1 < 0)) f1 = 0;
      const double f2 = (g - x5) / t3;
      const double pg = clamp(g + h * f1, vmin, vmax), p5 = x5 + h * f2;
      double g1 = clamp((target - pg) / t1, -99, 99);
      if ((pg >= vmax && g1 > 0) || (pg <= vmin && g1 < 0)) g1 = 0;
      const double g2 = (pg - p5) / t3;
      g = clamp(g + h / 2 * (f1 + g1), vmin, vmax);
      x5 += h / 2 * (f2 + g2);
    }
    double moved = 0, largest = 0;
    for (int n = 0; n <= kSteps; ++n) {
      moved = std::fmax(moved, std::fabs(old_pm[n] - old_pm[0]));
      largest = std::fmax(largest, std::fabs(new_pm[n] - old_pm[n]));
    }
    worst = std::fmax(worst, largest / moved);
    ++records;
  }
  std::fclose(f);
  std::printf("%d records, largest deviation %.3g\n", records, worst);
  return 0;
}
