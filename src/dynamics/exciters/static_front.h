// The front the two bus-fed static exciters of the ST3 form (exst3a, esst3a) share: the
// voltage transducer, the input limits, the lead-lag, a regulator ka, ta with its
// non-windup limits, the field voltage feedback kg Efd and the bus-fed source. Each model
// adds the gain of its third slot and what follows the regulator.
#pragma once
#include <algorithm>

#include "dynamics/blocks.h"
#include "dynamics/exciters/exciter_io.h"
#include "dynamics/exciters/source_start.h"
#include "dynamics/extras.h"

struct StaticFront {
  double tr, vimax, vimin, tc, tb, ka, ta, vrmax, vrmin;
  SourceValues src;   // kg kp ki vbmax kc xl vgmax
  double transducer;  // 1/tr
  LeadLag lead;
  LimitedLag regulator;
  BusSource source;

  // The front's values in the record's order, tr vimax vimin GAIN tc tb ka ta vrmax vrmin
  // kg kp ki vbmax kc xl vgmax, and the model's own gain of the third slot, returned.
  double read_front(ParameterReader& read, const char* gain) {
    tr = read.time_constant("tr");
    vimax = read.value("vimax");
    vimin = read.value("vimin");
    const double own_gain = read.value(gain);
    tc = read.value("tc");
    tb = read.time_constant("tb");
    ka = read.value("ka");
    ta = read.time_constant("ta");
    vrmax = read.value("vrmax");
    vrmin = read.value("vrmin");
    src = read_source_values(read);
    return own_gain;
  }
  // After the model's own values: a bypassed lead-lag told and the blocks made. False when
  // a value could not be read.
  bool make_front(ParameterReader& read, Notes& notes) {
    if (tb == 0 && tc != 0) note(notes, "tc = %g with tb = 0: the lead-lag is bypassed", tc);
    if (read.failed()) return false;
    transducer = rate_of(tr);
    lead = LeadLag{tc, tb};
    regulator = LimitedLag{ka, ta, vrmin, vrmax};
    source = BusSource{src.kp, src.kc, src.vbmax};
    return true;
  }

  // The limited voltage error ahead of the lead-lag.
  double vi(const double* s, ExciterInput u) const {
    const double vc = tr > 0 ? s[0] : u.vt;
    return clamp(u.vref - vc, vimin, vimax);
  }
  double feedback(double efd) const { return std::min(src.kg * efd, src.vgmax); }
};
