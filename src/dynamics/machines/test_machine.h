// The machine every exciter is tested on, so that an exciter's check does not depend on
// the unit's own generator record: genrou's open-circuit equations with tpdo 6 s,
// tppdo 0.05 s, ld 1.8, lpd 0.3, lppd 0.25, ll 0.15 and no saturation.
#pragma once
#include "dynamics/machines/genrou.h"

Genrou test_machine();
