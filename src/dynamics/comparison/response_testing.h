// What the response tests share: a record of a model from a list of values, and the
// comparison of two records with every step of both responses.
#pragma once
#include <cmath>
#include <memory>
#include <vector>

#include "dynamics/comparison/comparison.h"
#include "models/catalogue.h"
#include "test_support.h"

namespace response_testing {

// A record of a model with these values.
struct Record {
  std::vector<float> values;
  RecordValues of(const char* model) const {
    return RecordValues{find_model(model), values.data(), static_cast<int>(values.size())};
  }
};

struct Compared {
  Comparison comparison;
  std::unique_ptr<Trajectories> t = std::make_unique<Trajectories>();
  std::unique_ptr<FullResponse> full = std::make_unique<FullResponse>();
  const OutputComparison& out(int i = 0) const { return comparison.outputs[i]; }
  // An output at step n, OLD or NEW.
  double old_step(int output, int n) const { return t->old_full[output][n]; }
  double new_step(int output, int n) const { return full->new_values[output][n]; }
  // An output at time t, OLD or NEW.
  double old_at(int output, double seconds) const {
    return old_step(output, static_cast<int>(std::lround(seconds * kStepsPerSecond)));
  }
  double new_at(int output, double seconds) const {
    return new_step(output, static_cast<int>(std::lround(seconds * kStepsPerSecond)));
  }
  // The first output's change from its start (Pm - P0 for a governor) at time t.
  double old_change(double seconds) const { return old_at(0, seconds) - old_at(0, 0); }
  double new_change(double seconds) const { return new_at(0, seconds) - new_at(0, 0); }
};

// OLD and NEW compared with a tolerance of 5 % and 5 degrees.
inline Compared compare(const char* old_model, const Record& old_values, const char* new_model,
                        const Record& new_values) {
  Compared c;
  compare_records(old_values.of(old_model), new_values.of(new_model), ComparisonOptions{0.05, 5.0},
                  c.comparison, *c.t, c.full.get());
  return c;
}

// One record compared with itself: its response under the standard test.
inline Compared respond(const char* model, const Record& values) {
  return compare(model, values, model, values);
}

// The reference sheet's records.

// tgov1 `.05 .5 1 0 3 10 0`, and an ieeeg1 of its k, t3, t4, k1, t5, k3 (uo 1, uc -1,
// pmax 1, the rest 0): the shipped mapping (reheater on a plain lag) and the exact one.
inline const Record kTgov1{{0.05f, 0.5f, 1, 0, 3, 10, 0}};
inline Record ieeeg1(float k, float t3, float t4, float k1, float t5, float k3) {
  Record r{std::vector<float>(35, 0.0f)};
  r.values[0] = k;
  r.values[3] = t3;
  r.values[4] = 1;   // uo
  r.values[5] = -1;  // uc
  r.values[6] = 1;   // pmax
  r.values[8] = t4;
  r.values[9] = k1;
  r.values[11] = t5;
  r.values[12] = k3;
  return r;
}
inline const Record kIeeeg1Shipped = ieeeg1(20, 0.5f, 10, 1, 0, 0);
inline const Record kIeeeg1Exact = ieeeg1(20, 0.5f, 0, 0.3f, 10, 0.7f);

// The stabilizer records of the sheet's sets A and B, with ieeest's a1 ... a6 = 0.
inline Record ieeest(float t1, float t2, float t5, float t6, float ks) {
  return Record{{1, 0, 0, 0, 0, 0, 0, t1, t2, t1, t2, t5, t6, ks, 0.1f, -0.1f, 0, 0}};
}
inline Record pss1a(float t1, float t2, float t5, float t6, float ks) {
  return Record{{1, 0, 0, 0, t1, t2, t1, t2, t5, t6, ks, 0.1f, -0.1f, 0, 0}};
}

// The example's STEAM1 exst1, 12 values, and an esst1a of this format's order.
inline const Record kExst1{{0.02f, 0.2f, -0.2f, 1, 10, 200, 0.02f, 6, -5, 0.05f, 0, 1}};
inline Record esst1a(float vamax, float vamin, float tc, float tb) {
  return Record{
      {0.02f, 0.2f, -0.2f, tc, tb, 200, 0.02f, 6, -5, 0.05f, 0, 1, 0, 0, vamax, vamin, 0, 0, 0, 0}};
}

// genrou STEAM1's d axis (tpdo 8, tppdo 0.03, ld 1.8, lpd 0.3, lppd 0.25, ll 0.2) with or
// without its saturation (s1 0.09, s12 0.38), as genrou (18 values) and gentpj (20).
inline Record genrou(float s1, float s12) {
  return Record{
      {8, 0.03f, 0.4f, 0.05f, 3, 0, 1.8f, 1.7f, 0.3f, 0.55f, 0.25f, 0.2f, s1, s12, 0, 0, 0, 0}};
}
inline Record gentpj(float s1, float s12) {
  return Record{{8,     0.03f, 0.4f, 0.05f, 3,   0, 1.8f, 1.7f, 0.3f, 0.55f,
                 0.25f, 0.25f, 0.2f, s1,    s12, 0, 0,    0,    0,    0}};
}

// An exciter's Efd and Vt at the sheet's times 1.02, 1.05, 1.1, 1.5, 2, 5 and 10 s, to
// the digits the sheet gives (5 decimals of Efd, 6 of Vt).
struct ExciterRows {
  double efd[7];
  double vt[7];
};
inline constexpr double kExciterTimes[7] = {1.02, 1.05, 1.1, 1.5, 2, 5, 10};
inline ::testing::AssertionResult same_rows(const Compared& c, const ExciterRows& want) {
  for (int i = 0; i < 7; ++i) {
    const double t = kExciterTimes[i];
    if (std::fabs(c.old_at(0, t) - want.efd[i]) > 5e-6 + 1e-12)
      return ::testing::AssertionFailure()
             << "Efd " << c.old_at(0, t) << " at " << t << ", the sheet " << want.efd[i];
    if (std::fabs(c.old_at(1, t) - want.vt[i]) > 5e-7 + 1e-12)
      return ::testing::AssertionFailure()
             << "Vt " << c.old_at(1, t) << " at " << t << ", the sheet " << want.vt[i];
  }
  return ::testing::AssertionSuccess();
}
// The largest value of OLD's output k, and when.
struct Peak {
  double value;
  double at;
};
inline Peak old_peak(const Compared& c, int k) {
  Peak p{c.old_step(k, 0), 0.0};
  for (int n = 0; n <= c.comparison.steps; ++n) {
    if (c.old_step(k, n) > p.value) p = Peak{c.old_step(k, n), n * kStep};
  }
  return p;
}

// The western case's governors (sixMachineGENERICmodels.dyd) in record order.

// ggov1 :60: droop on electrical power (rselect 1), deadband 0.0006.
inline Record ggov1_60() {
  return Record{{0.043f, 1,     5, 0.025f, -0.025f, 4.2f, 0.6f,    0, 1,    1,  0.15f, 0.2f,
                 1.5f,   0.18f, 1, 1,      1,       0,    4,       1, 3.3f, 1,  0,     99,
                 -99,    0,     0, 99,     10,      1,    0.0006f, 1, 1,    99, -99}};
}

// sixMachineGENERICmodels.dyd:79 in record order.
inline Record hyg3_79() {
  return Record{{1,       0,      -1,     0,      0.05625f, 0.1f,   0.1f,   0.2f,   0.034f,
                 -0.034f, 5,      2.5f,   0.3f,   2,        1,      0,      0,      0,
                 3.29f,   1.125f, 0.2f,   0.111f, 1,        0.153f, 0.14f,  0.203f, 0.186f,
                 0.503f,  0.367f, 0.659f, 0.534f, 0.747f,   0.663f, 0.851f, 0.863f}};
}

// sixMachineGENERICmodels.dyd:115 in record order, its deadbands and curve 0.
inline Record ieeeg3_115() {
  Record r{std::vector<float>(29, 0.0f)};
  const float head[] = {0.1f, 0.2f, 0.083f, -0.083f, 1.33f, 0, 0.05f, 0.71f, 8, 1.6f, 1, -1, 0.5f};
  for (int i = 0; i < 13; ++i) r.values[static_cast<std::size_t>(i)] = head[i];
  return r;
}

// sixMachineGENERICmodels.dyd:128 in record order.
inline Record pidgov_128() {
  return Record{{1, 0.05f, 0.55f, 0.02f, 0,     0.1f,    2,     0.01f,  -0.01f, 1, 0.0555f, 1.2f,
                 1, 0,     0,     0.06f, 0.54f, 0.5923f, 0.77f, 0.789f, 0.882f, 1, 1}};
}

// gast :55 (its extras neutral) and ieeeg1 :107 (its own lag t1 and rate limit uo, uc).
inline Record gast_55() {
  Record r{std::vector<float>(34, 0.0f)};
  const float core[] = {0.05f, 0.4f, 0.1f, 3, 1.5f, 3, 1.5f, -0.2f, 0};
  for (int i = 0; i < 9; ++i) r.values[static_cast<std::size_t>(i)] = core[i];
  r.values[10] = r.values[11] = r.values[13] = 99;  // rmax linc ltrat
  r.values[12] = 10;                                // tltr
  r.values[15] = 1;                                 // b
  return r;
}
inline Record ieeeg1_107() {
  Record r{std::vector<float>(35, 0.0f)};
  const float head[] = {20.833f, 0.2f, 0, 0.2f, 0.4f, -0.4f, 1, 0, 0.2f, 0.25f, 0, 2, 0.75f};
  for (int i = 0; i < 13; ++i) r.values[static_cast<std::size_t>(i)] = head[i];
  return r;
}

// hygov of the example's HYDRO2 with dturb and qnl in their places.
inline const Record kHygovSwapped{
    {0.05f, 0.3f, 5, 0.05f, 0.5f, 0.2f, 1, 0, 1.2f, 1.0f, 0.5f, 0.08f}};

// ggov1 of a gast by the derived mapping: droop on the governor output (rselect -2), the
// PI reduced to an integral 1/(r t1), the actuator for the fuel lag, the load limiter
// for the temperature limit.
inline Record ggov1_of_gast(const Record& gast) {
  const auto v = [&gast](int i) { return gast.values[static_cast<std::size_t>(i)]; };
  const float r = v(0), t1 = v(1), t2 = v(2), t3 = v(3), lmax = v(4), kt = v(5);
  return Record{{r,  -2, 1, 1, -1, 0,  1 / (r * t1), 0,    1,    v(6), v(7), t2, 1, 0,
                 1,  1,  0, 0, t3, kt, kt / t3,      lmax, v(8), 99,   -99,  0,  0, 99,
                 10, 1,  0, 0, 0,  99, -99}};
}

}  // namespace response_testing
