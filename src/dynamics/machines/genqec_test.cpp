// genqec, genroe and gensae on open circuit against the reference sheet: the three
// saturation forms, the closed form of the final voltage, and the migrations to genqec
// that the regulators direct, exact, close and wrong.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "dynamics/heun.h"
#include "dynamics/machines/machine.h"
#include "test_support.h"

namespace {

using namespace response_testing;

// The d-axis data of the sheet's units, as genrou records (tpdo tppdo tpqo tppqo h d ld lq
// lpd lpq lppd ll s1 s12 ra rcomp xcomp accel).
Record genrou_of(float tpdo, float tppdo, float ld, float lpd, float lppd, float ll, float s1,
                 float s12) {
  return Record{{tpdo, tppdo, 0.4f, 0.05f, 3, 0, ld, 0.95f * ld, lpd, 0.55f, lppd, ll, s1, s12,
                 0.003f, 0, 0, 0}};
}
const Record kSteam1 = genrou_of(8, 0.03f, 1.8f, 0.3f, 0.25f, 0.2f, 0.09f, 0.38f);
const Record kHydro2 = genrou_of(5, 0.05f, 1.0f, 0.3f, 0.22f, 0.15f, 0.1f, 0.3f);

// genqec of a genrou record by the migration rule: every value by name, lppq = lppd, kw 0.
Record genqec_of(const Record& g, float satflag) {
  const auto v = [&g](int i) { return g.values[static_cast<std::size_t>(i)]; };
  return Record{{v(0),  v(1),  v(2),  v(3),  v(4),  v(5),  v(6),  v(7),  v(8), v(9),
                 v(10), v(10), v(11), v(12), v(13), v(14), v(15), v(16), 0,    satflag}};
}
// gensal of the same d axis (tpdo tppdo tppqo h d ld lq lpd lppd ll s1 s12 ra rcomp xcomp).
Record gensal_of(const Record& g) {
  const auto v = [&g](int i) { return g.values[static_cast<std::size_t>(i)]; };
  return Record{{v(0), v(1), v(3), v(4), v(5), v(6), v(7), v(8), v(10), v(11), v(12), v(13), v(14),
                 v(15), v(16)}};
}
// genqec of a gensal record: no q-axis transient circuit (tpqo 0, lpq = lq), lppq = lppd.
Record genqec_of_gensal(const Record& s, float satflag) {
  const auto v = [&s](int i) { return s.values[static_cast<std::size_t>(i)]; };
  return Record{{v(0), v(1), 0,    v(2),  v(3),  v(4),  v(5),  v(6),  v(7), v(6),
                 v(8), v(8), v(9), v(10), v(11), v(12), v(13), v(14), 0,    satflag}};
}
// gentpj of a genrou record (lppq after lppd, kis last).
Record gentpj_of(const Record& g) {
  const auto v = [&g](int i) { return g.values[static_cast<std::size_t>(i)]; };
  return Record{{v(0),  v(1),  v(2),  v(3),  v(4),  v(5),  v(6),  v(7),  v(8),  v(9),
                 v(10), v(10), v(11), v(12), v(13), v(14), v(15), v(16), v(17), 0}};
}
Record unsaturated(Record r, int s1_slot) {
  r.values[static_cast<std::size_t>(s1_slot)] = 0;
  r.values[static_cast<std::size_t>(s1_slot) + 1] = 0;
  return r;
}

void expect_vt(const Compared& c, double at3, double at9, double at20, const char* what) {
  EXPECT_NEAR(c.old_at(0, 3), at3, 5e-7) << what;
  EXPECT_NEAR(c.old_at(0, 9), at9, 5e-7) << what;
  EXPECT_NEAR(c.old_at(0, 20), at20, 5e-7) << what;
}

TEST(Genqec, TheThreeFormsAndTheirModelsOnTheSheetsUnits) {
  expect_vt(respond("genrou", kSteam1), 1.009431, 1.020137, 1.022550, "genrou");
  expect_vt(respond("genqec", genqec_of(kSteam1, 1)), 1.009433, 1.020136, 1.022550, "flag 1");
  expect_vt(respond("gentpj", gentpj_of(kSteam1)), 1.008845, 1.019670, 1.022492, "gentpj");
  expect_vt(respond("genqec", genqec_of(kSteam1, 2)), 1.009523, 1.020709, 1.023413, "flag 2");
  expect_vt(respond("genroe", kSteam1), 1.009775, 1.022446, 1.026172, "genroe");
  expect_vt(respond("genqec", genqec_of(kSteam1, 0)), 1.009778, 1.022445, 1.026172, "flag 0");
  // HYDRO2, and gensae = genroe on open circuit.
  expect_vt(respond("gensal", gensal_of(kHydro2)), 1.013614, 1.024483, 1.025638, "gensal");
  expect_vt(respond("genrou", kHydro2), 1.013658, 1.024501, 1.025639, "genrou hydro");
  expect_vt(respond("genqec", genqec_of(kHydro2, 1)), 1.013662, 1.024499, 1.025638, "flag 1 hydro");
  expect_vt(respond("gentpj", gentpj_of(kHydro2)), 1.013055, 1.024271, 1.025630, "gentpj hydro");
  expect_vt(respond("genroe", kHydro2), 1.014106, 1.026642, 1.028289, "genroe hydro");
  expect_vt(respond("gensae", gensal_of(kHydro2)), 1.014106, 1.026642, 1.028289, "gensae");
  expect_vt(respond("genqec", genqec_of(kHydro2, 0)), 1.014111, 1.026639, 1.028289, "flag 0 hydro");
  // Unsaturated, every flag is genrou to the last bits.
  const Record bare = unsaturated(kSteam1, 12);
  const Compared r = respond("genrou", bare);
  expect_vt(r, 1.010724, 1.031061, 1.045027, "genrou unsaturated");
  for (const float flag : {0.0f, 1.0f, 2.0f}) {
    const Compared q = compare("genrou", bare, "genqec", genqec_of(bare, flag));
    EXPECT_LT(q.out(0).deviation, 1e-9) << flag;
    EXPECT_EQ(q.out(0).outcome, Outcome::pass);
  }
}

// The final voltage of a machine run long after its step: Vt (1 + S(Vt)) = Efd0 + 0.05.
double settled(const char* model, const Record& r) {
  MachineModel m;
  Verdict verdict{Problem::none, ""};
  Notes notes;
  clear(notes);
  const RecordValues record = r.of(model);
  EXPECT_TRUE(make_model(record, m, verdict, notes)) << verdict.reason;
  double last = 0;
  std::visit(
      [&](const auto& machine) {
        double x[2];
        const double efd0 = machine.start(1.0, x);
        run_heun(
            machine, x, 400 * kStepsPerSecond, [=](int) { return efd0 + 0.05; },
            [&](int, double vt) { last = vt; });
      },
      m);
  return last;
}

// The Vt that solves Vt (1 + S(Vt)) = Efd0 + 0.05, Efd0 = 1 + S(1), by halving, with S
// written here from its definition through S(1.0) = s1 and S(1.2) = s12.
double closed_form(int form, double s1, double s12) {
  const auto S = [=](double v) {
    if (form == 0) return s1 * std::pow(v, std::log(s12 / s1) / std::log(1.2));
    if (form == 1) {
      const double a = std::sqrt(1.2 * s12 / s1), knee = (a - 1.2) / (a - 1),
                   b = s1 / ((1 - knee) * (1 - knee));
      return v > knee ? b * (v - knee) * (v - knee) / v : 0.0;
    }
    const double r = std::sqrt(s12 / s1), knee = (r - 1.2) / (r - 1),
                 b = s1 / ((1 - knee) * (1 - knee));
    return v > knee ? b * (v - knee) * (v - knee) : 0.0;
  };
  const double target = 1 + S(1.0) + 0.05;
  double lo = 1.0, hi = 1.1;
  for (int i = 0; i < 100; ++i) {
    const double mid = 0.5 * (lo + hi);
    (mid * (1 + S(mid)) < target ? lo : hi) = mid;
  }
  return lo;
}

TEST(Genqec, FinalVoltagesSolveTheClosedForm) {
  const double s1 = 0.09f, s12 = 0.38f, h1 = 0.1f, h12 = 0.3f;
  EXPECT_NEAR(closed_form(1, s1, s12), 1.022669, 5e-7);  // the sheet's finals
  EXPECT_NEAR(closed_form(2, s1, s12), 1.023562, 5e-7);
  EXPECT_NEAR(closed_form(0, s1, s12), 1.026455, 5e-7);
  const struct {
    const char* model;
    Record record;
    double final_vt;
  } cases[] = {
      {"genrou", kSteam1, closed_form(1, s1, s12)},
      {"gensal", gensal_of(kSteam1), closed_form(1, s1, s12)},
      {"gentpj", gentpj_of(kSteam1), closed_form(1, s1, s12)},
      {"genqec", genqec_of(kSteam1, 1), closed_form(1, s1, s12)},
      {"genqec", genqec_of(kSteam1, 2), closed_form(2, s1, s12)},
      {"genqec", genqec_of(kSteam1, 0), closed_form(0, s1, s12)},
      {"genroe", kSteam1, closed_form(0, s1, s12)},
      {"gensae", gensal_of(kHydro2), closed_form(0, h1, h12)},
      {"genqec", genqec_of(kHydro2, 0), closed_form(0, h1, h12)},
  };
  for (const auto& c : cases) EXPECT_NEAR(settled(c.model, c.record), c.final_vt, 1e-5) << c.model;
}

TEST(Genqec, MigrationsAsTheSheetGradesThem) {
  const auto deviation = [](const char* from, const Record& old_r, const Record& new_r) {
    return compare(from, old_r, "genqec", new_r).out(0).deviation;
  };
  EXPECT_NEAR(deviation("genrou", kSteam1, genqec_of(kSteam1, 1)), 0.0003, 0.00005);
  EXPECT_NEAR(deviation("genroe", kSteam1, genqec_of(kSteam1, 0)), 0.0003, 0.00005);
  EXPECT_NEAR(deviation("gensal", gensal_of(kHydro2), genqec_of_gensal(gensal_of(kHydro2), 1)),
              0.0019, 0.00005);
  EXPECT_NEAR(deviation("gensae", gensal_of(kHydro2), genqec_of_gensal(gensal_of(kHydro2), 0)),
              0.0007, 0.00005);
  EXPECT_NEAR(deviation("gentpj", gentpj_of(kSteam1), genqec_of(kSteam1, 1)), 0.0303, 0.00005);
  // The wrong forms: the same s1, s12 in another curve.
  const Compared flag2 = compare("genrou", kSteam1, "genqec", genqec_of(kSteam1, 2));
  EXPECT_NEAR(flag2.out(0).deviation, 0.0382, 0.00005);
  EXPECT_EQ(flag2.out(0).outcome, Outcome::pass);
  EXPECT_TRUE(flag2.comparison.mapping_finding);  // told, though it passes
  EXPECT_NE(std::string(flag2.comparison.notes.text)
                .find("saturation form changed: OLD scaled quadratic, NEW quadratic"),
            std::string::npos);
  const Compared flag0 = compare("genrou", kSteam1, "genqec", genqec_of(kSteam1, 0));
  EXPECT_EQ(flag0.out(0).outcome, Outcome::fail);
  EXPECT_NEAR(flag0.out(0).deviation, 0.1606, 0.00005);
  EXPECT_NEAR(deviation("genroe", kSteam1, genqec_of(kSteam1, 1)), 0.1384, 0.00005);
}

TEST(Genqec, GentpjToGenqecFailsWhereTheSheetsGridSaysItFails) {
  // 256 gentpj data sets; by lpd - lppd, how many of each 64 exceed the tolerance.
  const struct {
    float lpd, lppd;
    int fails;
  } groups[] = {{0.25f, 0.23f, 56}, {0.25f, 0.17f, 7}, {0.4f, 0.23f, 0}, {0.4f, 0.17f, 0}};
  for (const auto& g : groups) {
    int fails = 0;
    for (int bits = 0; bits < 64; ++bits) {
      const auto pick = [bits](int i, float a, float b) { return (bits >> i & 1) ? b : a; };
      const Record r = genrou_of(pick(0, 4, 8), pick(1, 0.03f, 0.08f), pick(2, 1, 2.2f), g.lpd,
                                 g.lppd, pick(3, 0.12f, 0.16f), pick(4, 0.08f, 0.2f),
                                 pick(5, 0.3f, 0.6f));
      const Compared c = compare("gentpj", gentpj_of(r), "genqec", genqec_of(r, 1));
      fails += c.out(0).outcome == Outcome::fail;
    }
    EXPECT_EQ(fails, g.fails) << "lpd - lppd = " << g.lpd - g.lppd;
  }
}

TEST(Genqec, WhatTheTestCannotSeeIsTold) {
  // kis dropped, kw without a source, a satflag without a code.
  Record tpj = gentpj_of(kSteam1);
  tpj.values[19] = 0.1f;
  const Compared kis = compare("gentpj", tpj, "genqec", genqec_of(kSteam1, 1));
  EXPECT_TRUE(kis.comparison.mapping_finding);
  EXPECT_NE(std::string(kis.comparison.notes.text).find("kis = 0.1 dropped"), std::string::npos);
  Record kw = genqec_of(kSteam1, 1);
  kw.values[18] = 0.3f;
  const Compared w = compare("genrou", kSteam1, "genqec", kw);
  EXPECT_EQ(w.out(0).deviation,
            compare("genrou", kSteam1, "genqec", genqec_of(kSteam1, 1)).out(0).deviation);
  EXPECT_NE(std::string(w.comparison.notes.text).find("kw = 0.3 in NEW has no source"),
            std::string::npos);
  // A positional copy of a gentpj record: accel into kw, kis 0.1 into satflag, read as 0.
  Record shifted = gentpj_of(genrou_of(8, 0.035f, 1.245f, 0.42f, 0.31f, 0.22f, 0.23f, 0.62f));
  shifted.values[18] = 0.5f;  // accel
  shifted.values[19] = 0.1f;  // kis
  const Record chj1 = shifted;
  Record copied = shifted;  // the same 20 values read in genqec's order
  const Compared p = compare("gentpj", chj1, "genqec", copied);
  EXPECT_TRUE(p.comparison.mapping_finding);
  EXPECT_NE(std::string(p.comparison.notes.text).find("satflag = 0.1 is not 0, 1 or 2"),
            std::string::npos);
  EXPECT_EQ(p.out(0).outcome, Outcome::fail);  // the flag alone: kw is not seen
  EXPECT_NEAR(p.out(0).deviation, 0.1309, 0.00005);
  // A shifted saturation pair fits no form.
  for (const float flag : {0.0f, 1.0f, 2.0f}) {
    Record bad = genqec_of(kSteam1, flag);
    bad.values[13] = 0.38f;
    bad.values[14] = 0.0025f;
    EXPECT_EQ(respond("genqec", bad).out(0).outcome, Outcome::invalid_data) << flag;
  }
}

}  // namespace
