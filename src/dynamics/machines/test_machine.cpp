// The fixed open-circuit machine of the exciter test.
#include "dynamics/machines/test_machine.h"

Genrou test_machine() {
  Genrou m{};
  m.d.tpdo = 6.0;
  m.d.tppdo = 0.05;
  m.d.ld = 1.8;
  m.d.lpd = 0.3;
  m.d.lppd = 0.25;
  m.d.ll = 0.15;
  m.d.field_rate = 1.0 / m.d.tpdo;
  m.d.damper_rate = 1.0 / m.d.tppdo;
  m.shares = damper_shares(m.d);
  return m;
}
