// The floor of the response check's speed for any governor pair: the models themselves
// (the check's own model code, made from the record's values) under both governor tests
// in the plainest loop that runs them, with the same metric; no reading loop, no
// conversion by rules, no findings, no files. Here gast records against the ggov1 the
// example's rule makes of them (computed in single precision, as the rule computes it).
// Usage: model_floor DATA_FILE
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "floor_metric.h"

#include "dynamics/comparison/isolated_bed.h"
#include "dynamics/governors/governor.h"

namespace {

constexpr int kSteps = 30 * kStepsPerSecond;
double old_y[2][kSteps + 1];
double new_y[2][kSteps + 1];
double line_room[kMaxDelaySteps + 1];

const StandardTest& isolated_test() {
  for (const StandardTest& t : kStandardTests)
    if (std::strcmp(t.name, "isolated") == 0) return t;
  return kStandardTests[0];
}

// The governor of these values, at rest at Pm = 0.8, under one test.
bool run(const char* name, const float* values, int count, bool isolated,
         double (*y)[kSteps + 1]) {
  Governor g;
  Verdict verdict{Problem::none, ""};
  Notes notes;
  clear(notes);
  if (!make_model(RecordValues{find_model(name), values, count}, g, verdict, notes)) return false;
  if (!start_governor(g, 0.8, verdict)) return false;
  std::visit(
      [&](auto m) {
        using Model = decltype(m);
        m.use_delay_line(line_room);
        double x[Model::kStates + 1];
        for (int i = 0; i < Model::kStates; ++i) x[i] = g.x[i];
        x[Model::kStates] = 0.0;
        if (isolated) {
          run_heun(bed_of(m, isolated_test()), x, kSteps,
                   [](int n) { return n >= kStepsPerSecond ? 0.85 : 0.8; },
                   [&](int n, const Sample& s) {
                     y[0][n] = s.v[0];
                     y[1][n] = s.v[1];
                   });
        } else {
          run_heun(m, x, kSteps,
                   [](int n) { return GovernorInput{n >= kStepsPerSecond ? -0.004 : 0.0, 0.8}; },
                   [&](int n, double pm) { y[0][n] = pm; });
        }
      },
      g.model);
  return true;
}

double deviation(const double* a, const double* b, int every) {
  return floor_deviation(a, b, kSteps, every);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::FILE* f = std::fopen(argv[1], "r");
  if (!f) return 1;
  char line[1024];
  int records = 0;
  double worst = 0.0;
  while (std::fgets(line, sizeof line, f)) {
    const char* colon = std::strchr(line, ':');
    float v[34] = {};
    if (!colon || std::sscanf(colon + 1, " #1 mwcap=%*f %f %f %f %f %f %f %f %f %f", &v[0], &v[1],
                              &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8]) != 9)
      continue;
    v[10] = v[11] = v[13] = 99;
    v[12] = 10;
    v[15] = 1;
    const float r = v[0], t1 = v[1], t3 = v[3], kt = v[5];
    const float g[35] = {r,  -2, 1, 1, -1, 0,       1 / (r * t1), 0,    1,    v[6], v[7], v[2],
                         1,  0,  1, 1, 0,  0,       t3,           kt,   kt / t3, v[4], v[8], 99,
                         -99, 0, 0, 99, 10, 1,      0,            0,    0,    99,   -99};
    for (const bool isolated : {false, true}) {
      if (!run("gast", v, 34, isolated, old_y) || !run("ggov1", g, 35, isolated, new_y)) break;
      worst = std::fmax(worst, deviation(old_y[0], new_y[0], isolated ? 4 : 1));
      if (isolated) worst = std::fmax(worst, deviation(old_y[1], new_y[1], 4));
    }
    ++records;
  }
  std::fclose(f);
  std::printf("%d records, largest deviation %.3g\n", records, worst);
  return 0;
}
