// esst4b, the IEEE ST4B static exciter (its order is tentative): a PI voltage regulator,
// a lag, and an inner PI loop on the regulator output less kg Efd (capped at vgmax, as in
// ST3A: not confirmed), both PIs with non-windup limits, fed from the bus by VB. The
// inner loop through Efd = vm VB is solved where kg kpm is not 0.
#pragma once
#include <algorithm>

#include "dynamics/blocks.h"
#include "dynamics/exciters/exciter_io.h"
#include "dynamics/extras.h"

struct Esst4b : ExciterDefaults {
  static constexpr const char* kModels[] = {"esst4b"};
  static constexpr int kStates = 4;  // transducer, outer integral, lag, inner integral
  double tr, kpr, kir, ta, vrmax, vrmin, kpm, kim, vmmax, vmmin, kg, kp, angp, ki, kc, xl, vbmax,
      vgmax;
  double transducer;  // 1/tr
  double lag;         // 1/ta
  LimitedPI outer;
  LimitedPI inner;
  BusSource source;

  bool make(ParameterReader& read, Extras& extras, Verdict& verdict, Notes& notes);
  bool start(double vt0, double efd0, double ifd0, double* s, Verdict& verdict);
  UnseenSource unseen_source() const { return {true, angp, ki, xl}; }

  double error(const double* s, ExciterInput u) const { return u.vref - (tr > 0 ? s[0] : u.vt); }
  double va(const double* s, ExciterInput u) const {
    return ta > 0 ? s[2] : outer.output(s[1], error(s, u));
  }
  // The inner loop's input and its unclamped sum, with the feedback kg Efd of its own
  // output: vm = (kpm va + xm)/(1 + kpm kg VB) while kg Efd is below vgmax.
  struct Inner {
    double vm;  // the loop's output
    double in;  // its input, va - vg
  };
  Inner inner_loop(const double* s, ExciterInput u, double vb) const {
    const double a = va(s, u);
    double sum = kpm * a + s[3];
    if (kg * kpm != 0) {
      sum = (kpm * a + s[3]) / (1.0 + kpm * kg * vb);
      if (kg * sum * vb >= vgmax) sum = kpm * (a - vgmax) + s[3];
    }
    const double vm = clamp(sum, vmmin, vmmax);
    return Inner{vm, a - std::min(kg * vm * vb, vgmax)};
  }
  double efd(const double* s, ExciterInput u) const {
    const double vb = source.vb(u.vt, u.ifd);
    return inner_loop(s, u, vb).vm * vb;
  }
  void derivatives(const double* s, ExciterInput u, double* ds) const {
    ds[0] = (u.vt - s[0]) * transducer;
    const double e = error(s, u);
    ds[1] = outer.derivative(s[1], e);
    ds[2] = (outer.output(s[1], e) - s[2]) * lag;
    const Inner loop = inner_loop(s, u, source.vb(u.vt, u.ifd));
    ds[3] = inner.derivative(s[3], loop.in);
  }
  void limit(double*) const {}
};
