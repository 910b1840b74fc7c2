// exst3a on the test machine against the reference sheet: the western case's record and a
// record writer's defaults, their closed forms, the exact esst3a of them and the
// slot-by-slot copy that cannot start, and the values that stop it.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

// miniwestern_epctemp.dyd's exst3a (all 34 records alike) and a record writer's defaults.
const Record kWestern{{0, 0.1f, -0.1f, 1, 1, 10, 200, 0.02f, 5, -5, 0, 1, 0, 5, 0, 0, 5, 0}};
const Record kDefaults{
    {0, 0.2f, -0.2f, 200, 1, 10, 7.24f, 0.4f, 1, 0, 1, 5.1f, 0, 6.35f, 0.14f, 0, 6.25f, 0}};

// esst3a of an exst3a by the exact mapping: the AVR gain on esst3a's regulator (ka := kj,
// ta 0, limits +-99), the inner loop on its km, tm with exst3a's limits.
Record esst3a_exact(const Record& x) {
  const auto v = [&x](int i) { return x.values[static_cast<std::size_t>(i)]; };
  return Record{{v(0),  v(1),  v(2),  v(6),  v(4),  v(5),  v(3),  0,    99,   -99, v(10),
                 v(11), v(12), v(13), v(14), v(15), v(16), v(17), v(7), v(8), v(9)}};
}
// The trap: exst3a's 18 values copied into esst3a's first 18 slots, and an inner loop of
// time constant tm with no limit after them.
Record esst3a_slot_by_slot(const Record& x, float tm) {
  Record r = x;
  for (const float tail : {tm, 99.0f, -99.0f}) r.values.push_back(tail);  // tm vmmax vmmin
  return r;
}

TEST(Exst3a, TheWesternRecordAndItsClosedForm) {
  const Compared c = respond("exst3a", kWestern);
  EXPECT_TRUE(
      same_rows(c, {{1.64967, 1.90977, 1.91898, 1.32245, 1.06483, 1.04878, 1.05000},
                    {1.000937, 1.004008, 1.010738, 1.047883, 1.057385, 1.050120, 1.050000}}));
  const Peak p = old_peak(c, 0);
  EXPECT_NEAR(p.value, 1.9409, 5e-5);
  EXPECT_NEAR(p.at, 1.073, 1e-3);
  EXPECT_NEAR(c.old_at(1, 10), 1.05, 1e-4);  // kg = 0: Vt settles at vref
  // As esst3a, mapped exactly or slot by slot: the same (kg = 0, the gains only multiply).
  for (const Record& n : {esst3a_exact(kWestern), esst3a_slot_by_slot(kWestern, 0)}) {
    const Compared e = compare("exst3a", kWestern, "esst3a", n);
    EXPECT_EQ(e.out(0).outcome, Outcome::pass);
    EXPECT_LT(e.out(0).deviation, 1e-12);
    EXPECT_LT(e.out(1).deviation, 1e-12);
  }
}

TEST(Exst3a, TheWritersDefaultsAndTheSlotBySlotTrap) {
  const Compared c = respond("exst3a", kDefaults);
  EXPECT_TRUE(
      same_rows(c, {{1.83136, 1.93068, 1.85163, 1.30345, 1.07843, 1.04835, 1.04975},
                    {1.001347, 1.004839, 1.011447, 1.045326, 1.055187, 1.049901, 1.049751}}));
  // kg = 1: Vt(inf) = 1 + 0.05 / (1 + kg / kj).
  EXPECT_NEAR(c.old_at(1, 10), 1 + 0.05 / (1 + 1 / 200.0), 1e-4);
  const Compared exact = compare("exst3a", kDefaults, "esst3a", esst3a_exact(kDefaults));
  EXPECT_LT(exact.out(0).deviation, 1e-12);
  EXPECT_LT(exact.out(1).deviation, 1e-12);
  const Compared trap =
      compare("exst3a", kDefaults, "esst3a", esst3a_slot_by_slot(kDefaults, 0.1f));
  EXPECT_EQ(trap.out(0).outcome, Outcome::no_start_new);
  EXPECT_STREQ(trap.out(0).reason, "NEW: vr0 = 1.001 above vrmax = 1.000");
}

TEST(Exst3a, ValuesThatStopIt) {
  const auto reason = [](int slot, float value) {
    Record r = kDefaults;
    r.values[static_cast<std::size_t>(slot)] = value;
    return std::string(respond("exst3a", r).out().reason);
  };
  EXPECT_EQ(reason(11, 0), "OLD: kp = 0: the source gives no voltage");
  EXPECT_EQ(reason(14, 6), "OLD: VB0 = 0.000: IN0 = 1.176, the rectifier passes nothing");
  EXPECT_EQ(reason(13, 0), "OLD: VB0 = 0: vbmax = 0 caps the source at nothing");
  EXPECT_EQ(reason(3, 0), "OLD: kj = 0: the regulator has no gain");
  EXPECT_EQ(reason(7, 0), "OLD: ta = 0 with kg = 1: the inner loop through Efd is algebraic");
  EXPECT_EQ(reason(8, 0.1f), "OLD: vr0 = 0.199 above vrmax = 0.100");
  // With kg = 0 a zero ta is a plain clamp and runs.
  Record plain = kWestern;
  plain.values[7] = 0;
  EXPECT_EQ(respond("exst3a", plain).out().outcome, Outcome::pass);
}

}  // namespace
