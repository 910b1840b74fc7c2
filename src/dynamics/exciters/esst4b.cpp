// esst4b from a record's values, and its start.
#include "dynamics/exciters/esst4b.h"

#include "dynamics/exciters/source_start.h"

bool Esst4b::make(ParameterReader& read, Extras&, Verdict&, Notes& notes) {
  tr = read.time_constant("tr");
  kpr = read.value("kpr");
  kir = read.value("kir");
  ta = read.time_constant("ta");
  vrmax = read.value("vrmax");
  vrmin = read.value("vrmin");
  kpm = read.value("kpm");
  kim = read.value("kim");
  vmmax = read.value("vmmax");
  vmmin = read.value("vmmin");
  kg = read.value("kg");
  kp = read.value("kp");
  angp = read.value("angp");
  ki = read.value("ki");
  kc = read.value("kc");
  xl = read.value("xl");
  vbmax = read.value("vbmax");
  vgmax = read.value("vgmax");
  if (kim == 0)
    note(notes,
         "kim = 0: the outer integral carries the start, not a zero-gain inner one (a "
         "choice)");
  if (read.failed()) return false;
  transducer = rate_of(tr);
  lag = rate_of(ta);
  outer = LimitedPI{kpr, kir, vrmin, vrmax};
  inner = LimitedPI{kpm, kim, vmmin, vmmax};
  source = BusSource{kp, kc, vbmax};
  return true;
}

bool Esst4b::start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict) {
  double vb0 = 0;
  if (!start_source(source, vt0, ifd0, vb0, verdict)) return false;
  const double vm0 = efd0 / vb0;
  if (!fail_outside(verdict, "vm0", vm0, "vmmin", vmmin, "vmmax", vmmax)) return false;
  const double vg0 = std::min(kg * efd0, vgmax);
  double va0 = vg0;  // an inner integral holds vm0 with no error
  s[3] = vm0;
  if (kim == 0) {
    if (kpm <= 0)
      return fail(verdict, Problem::no_start, "kpm = %g with kim = 0: the inner loop has no gain",
                  kpm);
    va0 = vm0 / kpm + vg0;
    s[3] = 0.0;
  }
  const double vr0 = va0;
  if (kir != 0) {
    s[1] = vr0;
    vref0 = vt0;
  } else {
    if (kpr <= 0)
      return fail(verdict, Problem::no_start, "kpr = %g with kir = 0: the regulator has no gain",
                  kpr);
    s[1] = 0.0;
    vref0 = vt0 + vr0 / kpr;
  }
  s[0] = vt0;
  s[2] = va0;
  return fail_outside(verdict, "vr0", vr0, "vrmin", vrmin, "vrmax", vrmax);
}
