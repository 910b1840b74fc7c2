// The isolated unit against the reference sheet: its worked numbers for every governor,
// the closed forms of the settled speed, the unit that cannot run alone, and the
// mappings the closed loop judges where the speed step cannot.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "dynamics/comparison/isolated_bed.h"
#include "dynamics/comparison/response_testing.h"
#include "dynamics/governors/governor.h"
#include "dynamics/linearisation.h"
#include "test_support.h"

namespace {

using namespace response_testing;

enum { kSpeedPm, kPm, kDw };  // the governors' outputs: speed step, isolated unit

// dw (1e-3 pu) and Pm - 0.8 of the isolated unit at the sheet's times, and its nadir.
struct Column {
  const char* what;
  double dw[6];
  double nadir;
  double nadir_at;
  double pm[6];
};
constexpr double kTimes30[] = {1.5, 2, 5, 10, 30};
constexpr double kTimes60[] = {1.5, 2, 5, 10, 30, 60};

template <std::size_t N>
void expect_column(const Compared& c, const double (&times)[N], const Column& want) {
  for (std::size_t i = 0; i < N; ++i) {
    EXPECT_NEAR(c.old_at(kDw, times[i]) * 1e3, want.dw[i], 5.1e-5)
        << want.what << " dw at " << times[i];
    EXPECT_NEAR(c.old_at(kPm, times[i]) - 0.8, want.pm[i], 5.1e-7)
        << want.what << " Pm at " << times[i];
  }
  // The nadir over the compared samples, every 1/120 s.
  int lowest = 0;
  for (int n = 0; n <= c.comparison.steps; n += kSampleEvery)
    if (c.old_step(kDw, n) < c.old_step(kDw, lowest)) lowest = n;
  // (pidgov :128's nadir, -38.36165, lies on the edge of the sheet's last digit.)
  EXPECT_NEAR(c.old_step(kDw, lowest) * 1e3, want.nadir, 6e-5) << want.what << " nadir";
  EXPECT_NEAR(lowest * kStep, want.nadir_at, 0.5e-3) << want.what << " nadir time";
  // At rest until the load steps: Pm and dw constant over 0 .. 1 s.
  for (int n = 0; n <= kStepsPerSecond; ++n) {
    ASSERT_EQ(c.old_step(kPm, n), c.old_step(kPm, 0)) << want.what << " at step " << n;
    ASSERT_LT(std::fabs(c.old_step(kDw, n)), 1e-16) << want.what << " at step " << n;
  }
}

Record with(Record r, int slot, float value) {
  r.values[static_cast<std::size_t>(slot)] = value;
  return r;
}
enum { kGgov1Rselect = 1, kGgov1Db = 30 };

TEST(IsolatedUnit, TheSheetsThermalUnitsOver30Seconds) {
  const Column columns[] = {
      {"tgov1",
       {-2.8776, -4.9311, -4.8709, -2.6059, -2.3810},
       -6.4599,
       3.100,
       {0.006824, 0.019817, 0.053464, 0.048219, 0.047619}},
      {"gast :55",
       {-2.6759, -3.4378, -2.4406, -2.3813, -2.3810},
       -3.4488,
       1.942,
       {0.017830, 0.049471, 0.048359, 0.047614, 0.047619}},
      {"ggov1 :60",
       {-2.9775, -5.1498, -7.6238, -5.1215, -2.8181},
       -7.8240,
       4.092,
       {0.004882, 0.017142, 0.045461, 0.048097, 0.047280}},
      {"ggov1 :60 rselect -2",
       {-2.9852, -5.2277, -8.1420, -4.9995, -2.1015},
       -8.3196,
       4.208,
       {0.004334, 0.015451, 0.045122, 0.049281, 0.047994}},
      {"ieeeg1 :107",
       {-2.9822, -5.2255, -0.2358, -1.7598, -2.2940},
       -6.1402,
       2.558,
       {0.003119, 0.018651, 0.054970, 0.052067, 0.047780}},
  };
  const Compared runs[] = {
      respond("tgov1", kTgov1),        respond("gast", gast_55()),
      respond("ggov1", ggov1_60()),    respond("ggov1", with(ggov1_60(), kGgov1Rselect, -2)),
      respond("ieeeg1", ieeeg1_107()),
  };
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(runs[i].comparison.steps, 30 * kStepsPerSecond) << columns[i].what;
    expect_column(runs[i], kTimes30, columns[i]);
    EXPECT_EQ(runs[i].out(kPm).outcome, Outcome::pass) << columns[i].what;
    EXPECT_EQ(runs[i].out(kDw).outcome, Outcome::pass) << columns[i].what;
  }
}

TEST(IsolatedUnit, TheSheetsHydroUnitsOver60Seconds) {
  const Column columns[] = {
      {"hygov",
       {-3.0616, -6.0685, -13.8056, -3.7487, -2.3684, -2.3296},
       -14.0537,
       4.517,
       {-0.001809, -0.002883, 0.044181, 0.052975, 0.047719, 0.047670}},
      {"ieeeg3 :115",
       {-3.1111, -6.3109, -19.1418, -18.4593, -3.8989, -2.4166},
       -20.8984,
       6.908,
       {-0.003927, -0.006787, 0.014614, 0.041597, 0.047619, 0.047619}},
      {"pidgov :128",
       {-3.0302, -5.8832, -19.6393, -32.1286, -37.3732, -31.0263},
       -38.3617,
       21.542,
       {-0.000051, -0.000185, 0.000937, 0.005503, 0.014123, 0.020563}},
      {"hyg3 :79",
       {-3.1356, -7.3058, -26.7727, 26.0698, 21.2342, 88.1349},
       -123.1499,
       20.642,
       {-0.007613, -0.037972, 0.014695, 0.171561, 0.212148, 0.182307}},
  };
  const Compared runs[] = {
      respond("hygov", kHygovSwapped),
      respond("ieeeg3", ieeeg3_115()),
      respond("pidgov", pidgov_128()),
      respond("hyg3", hyg3_79()),
  };
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(runs[i].comparison.steps, 60 * kStepsPerSecond) << columns[i].what;
    expect_column(runs[i], kTimes60, columns[i]);
  }
  EXPECT_EQ(runs[2].out(kDw).outcome, Outcome::pass);
  // hyg3 :79 cannot run alone: no outcome but the mode that grows.
  for (const int k : {kPm, kDw}) {
    EXPECT_EQ(runs[3].out(k).outcome, Outcome::unstable_old);
    EXPECT_STREQ(
        runs[3].out(k).reason,
        "OLD: the isolated unit is unstable at rest, mode +0.549 +/- j0.592 1/s (0.094 Hz)");
  }
}

// A record mapped: the same unit, another model.
struct Pair {
  const char* what;
  const char* old_model;
  Record old_values;
  const char* new_model;
  Record new_values;
};

TEST(IsolatedUnit, TheClosedLoopJudgesWhatTheSpeedStepCannot) {
  Record mapped = ggov1_of_gast(gast_55());
  mapped.values[6] = 50;  // kigov as the rule writes it
  {                       // gast to ggov1 by the derived mapping: exact under both tests
    const Compared c = compare("gast", gast_55(), "ggov1", mapped);
    for (const int k : {kSpeedPm, kPm, kDw}) {
      EXPECT_EQ(c.out(k).outcome, Outcome::pass) << k;
      EXPECT_LT(c.out(k).deviation, 1e-6) << k;
    }
  }
  {  // W1: the same with droop on electrical power, which the speed step holds
    const Compared c = compare("gast", gast_55(), "ggov1", with(mapped, kGgov1Rselect, 1));
    EXPECT_EQ(c.out(kSpeedPm).outcome, Outcome::not_judged);
    EXPECT_NEAR(c.out(kSpeedPm).deviation, 7.75, 0.005);  // kept: a ramp against a droop
    EXPECT_STREQ(c.out(kSpeedPm).reason,
                 "NEW's droop acts through electrical power, which this test holds: the isolated "
                 "unit judges the pair");
    for (const int k : {kPm, kDw}) {
      EXPECT_EQ(c.out(k).outcome, Outcome::unstable_new);
      EXPECT_STREQ(
          c.out(k).reason,
          "NEW: the isolated unit is unstable at rest, mode +0.221 +/- j2.422 1/s (0.385 Hz)");
    }
    EXPECT_NEAR(c.out(kPm).deviation, 14.1, 0.05);
    EXPECT_NEAR(c.out(kDw).deviation, 14.3, 0.05);
  }
  {  // W3: droop on the valve stroke (rselect -1)
    const Compared c = compare("gast", gast_55(), "ggov1", with(mapped, kGgov1Rselect, -1));
    EXPECT_EQ(c.out(kSpeedPm).outcome, Outcome::fail);
    EXPECT_NEAR(c.out(kSpeedPm).deviation, 0.098, 0.0005);
    EXPECT_NEAR(c.out(kPm).deviation, 0.080, 0.0005);
    EXPECT_NEAR(c.out(kDw).deviation, 0.096, 0.0005);
    EXPECT_EQ(c.out(kDw).outcome, Outcome::fail);
  }
  {  // ggov1 :60 with rselect -2 in place of 1, the same values: dw tells, Pm just passes
    const Compared c = compare("ggov1", ggov1_60(), "ggov1", with(ggov1_60(), kGgov1Rselect, -2));
    EXPECT_EQ(c.out(kSpeedPm).outcome, Outcome::not_judged);
    EXPECT_STREQ(c.out(kSpeedPm).reason,
                 "OLD's droop acts through electrical power, which this test holds: the isolated "
                 "unit judges the pair");
    EXPECT_NEAR(c.out(kSpeedPm).deviation, 0.423, 0.0005);
    EXPECT_EQ(c.out(kPm).outcome, Outcome::pass);
    EXPECT_NEAR(c.out(kPm).deviation, 0.046, 0.0005);
    EXPECT_EQ(c.out(kDw).outcome, Outcome::fail);
    EXPECT_NEAR(c.out(kDw).deviation, 0.092, 0.0005);
  }
  {  // tgov1 to ieeeg1: the exact mapping, and the reheater put on a plain lag
    const Compared exact = compare("tgov1", kTgov1, "ieeeg1", kIeeeg1Exact);
    for (const int k : {kSpeedPm, kPm, kDw}) EXPECT_EQ(exact.out(k).outcome, Outcome::pass) << k;
    const Compared shipped = compare("tgov1", kTgov1, "ieeeg1", kIeeeg1Shipped);
    EXPECT_NEAR(shipped.out(kSpeedPm).deviation, 0.267, 0.0005);
    EXPECT_NEAR(shipped.out(kPm).deviation, 0.565, 0.0005);
    EXPECT_NEAR(shipped.out(kDw).deviation, 1.127, 0.0005);
    int lowest = 0;
    for (int n = 0; n <= shipped.comparison.steps; n += kSampleEvery)
      if (shipped.new_step(kDw, n) < shipped.new_step(kDw, lowest)) lowest = n;
    EXPECT_NEAR(shipped.new_step(kDw, lowest) * 1e3, -12.4549, 5e-5);  // the nadir doubled
  }
}

// The isolated unit run from rest until it settles: dw and Pm at the end.
struct Settled {
  double dw;
  double pm;
};
Settled settle(const char* model, const Record& r, double seconds) {
  const StandardTest* test = nullptr;
  for (const StandardTest& t : kStandardTests)
    if (std::string(t.name) == "isolated") test = &t;
  Governor g;
  Verdict verdict{Problem::none, ""};
  Notes notes;
  clear(notes);
  EXPECT_TRUE(make_model(r.of(model), g, verdict, notes)) << model;
  EXPECT_TRUE(start_governor(g, 0.8, verdict)) << model << ": " << verdict.reason;
  std::vector<double> line(kMaxDelaySteps + 1);
  Settled out{};
  std::visit(
      [&](auto m) {
        using Model = decltype(m);
        std::vector<double> x(g.x, g.x + Model::kStates);
        x.push_back(0.0);
        m.use_delay_line(line.data());
        const int steps = static_cast<int>(seconds * kStepsPerSecond);
        run_heun(
            bed_of(m, *test), x.data(), steps,
            [](int n) { return n >= kStepsPerSecond ? 0.85 : 0.8; },
            [&](int n, const Sample& y) {
              if (n == steps) out = Settled{y.v[1], y.v[0]};
            });
      },
      g.model);
  return out;
}

TEST(IsolatedUnit, SettledSpeedsFollowTheClosedForms) {
  const double load = 0.05;
  struct Case {
    const char* what;
    const char* model;
    Record record;
    double seconds;
    double dw;  // the closed form
  };
  const double r60 = 0.043f, db60 = 0.0006f;
  const Case cases[] = {
      {"tgov1: -dPL / (D + 1/r + dt)", "tgov1", kTgov1, 600, -load / (1 + 20)},
      {"gast: -dPL / (D + 1/r + dturb)", "gast", gast_55(), 600, -load / (1 + 20)},
      {"ieeeg1 :107: -dPL / (D + k sum k)", "ieeeg1", ieeeg1_107(), 600,
       -load / (1 + 20.833f * (0.25f + 0.75f))},
      {"ieeeg3 :115: -dPL / (D + kturb / rperm)", "ieeeg3", ieeeg3_115(), 600,
       -load / (1 + 1 / 0.05f)},
      {"hygov: the root of its quadratic", "hygov", kHygovSwapped, 600, -2.329558e-3},
      {"ggov1 :60: -r dPL - db", "ggov1", ggov1_60(), 600, -r60 * load - db60},
      {"ggov1 :60 rselect -2: the quadratic", "ggov1", with(ggov1_60(), kGgov1Rselect, -2), 600,
       -2.040367e-3},
      {"ggov1 :60 isochronous: -db", "ggov1", with(ggov1_60(), kGgov1Rselect, 0), 600, -db60},
      {"ggov1 :60 isochronous, no deadband: 0", "ggov1",
       with(with(ggov1_60(), kGgov1Rselect, 0), kGgov1Db, 0), 600, 0.0},
      {"ggov1 :60 kimw 0.01: -r dPL - 1.1 r - db", "ggov1", with(ggov1_60(), 25, 0.01f), 1200,
       -r60 * load - 1.1 * r60 - db60},
      {"pidgov :128: the segment's slope", "pidgov", pidgov_128(), 3000, -5.502392e-3},
  };
  for (const Case& c : cases) {
    const Settled s = settle(c.model, c.record, c.seconds);
    EXPECT_NEAR(s.dw, c.dw, 1e-6) << c.what;
    EXPECT_NEAR(s.pm, 0.8 + load + s.dw, 1e-6) << c.what;  // Pm = P0 + dPL + D dw
  }
}

TEST(IsolatedUnit, ItsModesAtRest) {
  // The rightmost eigenvalue of the sheet's records, ggov1 without its deadband.
  struct Case {
    const char* model;
    Record record;
    double re;
    double im;
  };
  const Case cases[] = {
      {"tgov1", kTgov1, -0.452, 0},         {"gast", gast_55(), -0.333, 0},
      {"ggov1", ggov1_60(), -0.188, 0},     {"ieeeg1", ieeeg1_107(), -0.226, 1.190},
      {"hygov", kHygovSwapped, -0.210, 0},  {"ieeeg3", ieeeg3_115(), -0.125, 0},
      {"pidgov", pidgov_128(), -0.0078, 0}, {"hyg3", hyg3_79(), 0.549, 0.592},
  };
  const StandardTest* test = nullptr;
  for (const StandardTest& t : kStandardTests)
    if (std::string(t.name) == "isolated") test = &t;
  for (const Case& c : cases) {
    Governor g;
    Verdict verdict{Problem::none, ""};
    Notes notes;
    clear(notes);
    ASSERT_TRUE(make_model(c.record.of(c.model), g, verdict, notes));
    ASSERT_TRUE(start_governor(g, 0.8, verdict));
    std::visit(
        [&](auto m) {
          using Model = decltype(m);
          m.for_linearisation();
          std::vector<double> x(g.x, g.x + Model::kStates);
          x.push_back(0.0);
          const Stability st = stability_at(bed_of(m, *test), x.data(), 0.8);
          ASSERT_TRUE(st.known) << c.model;
          EXPECT_NEAR(st.mode.re, c.re, c.re > -0.01 && c.re < 0 ? 0.00005 : 0.0005) << c.model;
          EXPECT_NEAR(st.mode.im, c.im, 0.0005) << c.model;
        },
        g.model);
  }
}

}  // namespace
