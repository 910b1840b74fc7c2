// The d-axis values every generator reads, and the flux shares of a damper winding.
#include "dynamics/machines/d_axis.h"

#include <cstring>

bool read_d_axis(ParameterReader& read, DAxis& d, const char* divided, Verdict& verdict,
                 SaturationForm form, bool either_zero) {
  d.tpdo = read.time_constant("tpdo");
  d.tppdo = read.time_constant("tppdo");
  d.ld = read.value("ld");
  d.lpd = read.value("lpd");
  d.lppd = read.value("lppd");
  d.ll = read.value("ll");
  if (read.failed()) return false;
  if (d.tpdo == 0)
    return fail(verdict, Problem::no_start, "tpdo = 0: the field has no time constant");
  if (d.tppdo == 0)
    return fail(verdict, Problem::no_start,
                "tppdo = 0: the subtransient circuit has no time constant");
  const double other = std::strcmp(divided, "lppd") == 0 ? d.lppd : d.ll;
  if (d.lpd == other)
    return fail(verdict, Problem::no_start, "lpd = %g equals %s: %s divides by their difference",
                d.lpd, divided, read.model_name());
  const double s12 = read.value("s12");
  const double s1 = either_zero && s12 == 0 ? 0.0 : read.value("s1");
  if (!fit_saturation(s1, s12, d.saturation, verdict, form)) return false;
  d.field_rate = 1.0 / d.tpdo;
  d.damper_rate = 1.0 / d.tppdo;
  return true;
}

DamperShares damper_shares(const DAxis& d) {
  return DamperShares{(d.lppd - d.ll) / (d.lpd - d.ll), (d.lpd - d.lppd) / (d.lpd - d.ll),
                      (d.lpd - d.lppd) * (d.ld - d.lpd) / ((d.lpd - d.ll) * (d.lpd - d.ll))};
}
