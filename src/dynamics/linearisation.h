// A model linearised at a state: its state matrix by central differences and the
// rightmost of its eigenvalues, for the stability of a test bed at rest.
#pragma once
#include <cmath>

#include "dynamics/eigen.h"

// The state matrix of `model` at the state x0 and the input u, row-major into `a`
// (kStates x kStates): column j from the derivatives at x0 +- h e_j.
template <class M, class U>
void state_matrix(const M& model, const double* x0, U u, double* a) {
  constexpr int n = M::kStates;
  double x[n];
  double up[n];
  double down[n];
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) x[i] = x0[i];
    const double h = 1e-6 * (1.0 + std::fabs(x0[j]));
    x[j] = x0[j] + h;
    model.derivatives(x, u, up);
    x[j] = x0[j] - h;
    model.derivatives(x, u, down);
    for (int i = 0; i < n; ++i) a[i * n + j] = (up[i] - down[i]) / (2.0 * h);
  }
}

// The rightmost eigenvalue of a linearisation (of a pair, the one with the positive
// imaginary part), leaving out the zeros of states that nothing moves (a stage a record
// does not use, a value held over a step); `known` false where the eigenvalues could not
// be found.
struct Stability {
  bool known;
  Complex mode;
  // Growing: a real part above what central differences leave of a zero eigenvalue.
  bool unstable() const { return known && mode.re > 1e-6; }
};

template <class M, class U>
Stability stability_at(const M& model, const double* x0, U u) {
  constexpr int n = M::kStates;
  static_assert(n <= kMaxEigenSize, "a state too large to linearise");
  double a[n * n];
  state_matrix(model, x0, u, a);
  Complex values[n];
  if (!eigenvalues(a, n, values)) return Stability{false, Complex{0.0, 0.0}};
  bool any = false;
  Complex right{0.0, 0.0};
  for (int i = 0; i < n; ++i) {
    const Complex& v = values[i];
    if (std::fabs(v.re) < 1e-9 && std::fabs(v.im) < 1e-9) continue;
    if (!any || v.re > right.re || (v.re == right.re && v.im > right.im)) right = v;
    any = true;
  }
  return Stability{true, right};
}
