// The start of a bus-fed source: VB0 from Vt0 and Ifd0, or the reason it gives nothing.
#pragma once
#include "dynamics/exciters/sources.h"
#include "dynamics/record_values.h"
#include "dynamics/verdict.h"

// The values of a static exciter's field voltage feedback and bus-fed source, in the
// order exst3a and esst3a write them: kg kp ki vbmax kc xl vgmax.
struct SourceValues {
  double kg, kp, ki, vbmax, kc, xl, vgmax;
};
inline SourceValues read_source_values(ParameterReader& read) {
  SourceValues v;
  v.kg = read.value("kg");
  v.kp = read.value("kp");
  v.ki = read.value("ki");
  v.vbmax = read.value("vbmax");
  v.kc = read.value("kc");
  v.xl = read.value("xl");
  v.vgmax = read.value("vgmax");
  return v;
}

inline bool start_source(const BusSource& source, double vt0, double ifd0, double& vb0,
                         Verdict& verdict) {
  if (!(source.kp > 0))
    return fail(verdict, Problem::no_start, "kp = %g: the source gives no voltage", source.kp);
  vb0 = source.vb(vt0, ifd0);
  if (!(source.vbmax > 0))
    return fail(verdict, Problem::no_start, "VB0 = 0: vbmax = %g caps the source at nothing",
                source.vbmax);
  if (!(vb0 > 0))
    return fail(verdict, Problem::no_start, "VB0 = %.3f: IN0 = %.3f, the rectifier passes nothing",
                vb0, source.kc * ifd0 / (source.kp * vt0));
  return true;
}
