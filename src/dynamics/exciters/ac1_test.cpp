// exac1 and esac1a on the test machine against the reference sheet: an open library's
// defaults, the closed form of the final voltage, the one limit pair written onto two,
// and the values that stop them.
#include <cmath>
#include <string>
#include <vector>

#include "dynamics/comparison/response_testing.h"
#include "test_support.h"

namespace {

using namespace response_testing;

const Record kExac1{
    {0, 0, 0, 400, 0.02f, 9, -5.43f, 0.8f, 0.03f, 1, 0.2f, 0.48f, 1, 5.25f, 0.03f, 7, 0.1f}};
// esac1a of exac1's values: vamax, vamin on the regulator, an output clamp, spdmlt 0.
Record esac1a(float vrmax, float vrmin) {
  const std::vector<float>& v = kExac1.values;
  return Record{{v[0],  v[1],  v[2],  v[3],  v[4],  v[5],  v[6],  v[7],  v[8],  v[9],
                 v[10], v[11], v[12], v[13], v[14], v[15], v[16], vrmax, vrmin, 0}};
}

TEST(Ac1, Exac1ReproducesTheSheetAndItsClosedForm) {
  const Compared c = respond("exac1", kExac1);
  EXPECT_TRUE(
      same_rows(c, {{1.15123, 1.41032, 1.83208, 1.21729, 1.02280, 1.04905, 1.04980},
                    {1.000149, 1.001175, 1.005387, 1.052963, 1.054292, 1.049919, 1.049802}}));
  const Peak p = old_peak(c, 0);
  EXPECT_NEAR(p.value, 2.2005, 5e-5);
  EXPECT_NEAR(p.at, 1.179, 1e-3);
  // 1 + 0.05 ka / (ka + ke g + kd), g = 1 + 0.577 kc, the saturation below its corner.
  const double g = 1 + 0.577 * 0.2f;
  EXPECT_NEAR(c.old_at(1, 10), 1 + 0.05 * 400 / (400 + g + 0.48f), 1e-4);
}

TEST(Ac1, Esac1aWithItsOutputClampAndTheIdentity) {
  const Compared c = respond("esac1a", esac1a(6.03f, -5.43f));
  EXPECT_TRUE(
      same_rows(c, {{1.10055, 1.25535, 1.50733, 1.32330, 1.02291, 1.04901, 1.04980},
                    {1.000109, 1.000761, 1.003353, 1.050583, 1.054527, 1.049926, 1.049802}}));
  EXPECT_NEAR(old_peak(c, 0).value, 2.0850, 5e-5);
  // exac1 = esac1a whose clamp is not narrower than its regulator's limits.
  const Compared same = compare("exac1", kExac1, "esac1a", esac1a(9, -5.43f));
  EXPECT_EQ(same.out(0).deviation, 0.0);
  EXPECT_EQ(same.out(1).deviation, 0.0);
  // The one pair written onto both, the clamp left at a typical 6.03: the clamp is reached.
  const Compared clamped = compare("exac1", kExac1, "esac1a", esac1a(6.03f, -5.43f));
  EXPECT_EQ(clamped.out(0).outcome, Outcome::fail);
  EXPECT_NEAR(clamped.out(0).deviation, 0.345, 0.0005);
  EXPECT_NEAR(clamped.out(1).deviation, 0.151, 0.0005);
  Record fast = esac1a(6.03f, -5.43f);
  fast.values[4] = 0;  // ta
  EXPECT_NEAR(old_peak(respond("esac1a", fast), 0).value, 2.0190, 5e-5);
}

TEST(Ac1, ValuesThatStopThemAndConventionsTold) {
  Record no_te = kExac1;
  no_te.values[7] = 0;
  EXPECT_STREQ(respond("exac1", no_te).out().reason,
               "OLD: te = 0: the exciter's integrator has no time constant");
  Record no_gain = kExac1;
  no_gain.values[3] = 0;
  EXPECT_STREQ(respond("exac1", no_gain).out().reason, "OLD: ka = 0: the regulator has no gain");
  Record low = esac1a(1.5f, -5.43f);
  EXPECT_STREQ(respond("esac1a", low).out().reason, "OLD: vr0 = 1.595 above vrmax = 1.500");
  // ke = 0 is taken as it stands, and told.
  Record self = kExac1;
  self.values[12] = 0;
  const Compared k = compare("exac1", self, "exac1", self);
  EXPECT_TRUE(k.comparison.mapping_finding);
  // spdmlt, not seen at speed 1, must agree.
  Record fast_speed = esac1a(9, -5.43f);
  fast_speed.values[19] = 1;
  const Compared s = compare("esac1a", esac1a(9, -5.43f), "esac1a", fast_speed);
  EXPECT_EQ(s.out(0).outcome, Outcome::pass);
  EXPECT_TRUE(s.comparison.mapping_finding);
}

}  // namespace
