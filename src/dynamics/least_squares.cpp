// The damped normal equations of the least-squares solver, by Gaussian elimination with
// partial pivoting.
#include "dynamics/least_squares.h"

bool solve_damped(const double* a, const double* b, int n, double lambda, double* x) {
  double m[kMaxFitted][kMaxFitted + 1];
  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < n; ++c) m[r][c] = a[r * n + c];
    const double d = a[r * n + r];
    m[r][r] += lambda * (d > 0 ? d : 1.0);
    m[r][n] = b[r];
  }
  for (int c = 0; c < n; ++c) {
    int pivot = c;
    for (int r = c + 1; r < n; ++r)
      if (std::fabs(m[r][c]) > std::fabs(m[pivot][c])) pivot = r;
    if (!(std::fabs(m[pivot][c]) > 0)) return false;
    if (pivot != c)
      for (int k = 0; k <= n; ++k) {
        const double t = m[c][k];
        m[c][k] = m[pivot][k];
        m[pivot][k] = t;
      }
    for (int r = c + 1; r < n; ++r) {
      const double f = m[r][c] / m[c][c];
      for (int k = c; k <= n; ++k) m[r][k] -= f * m[c][k];
    }
  }
  for (int r = n - 1; r >= 0; --r) {
    double s = m[r][n];
    for (int c = r + 1; c < n; ++c) s -= m[r][c] * x[c];
    x[r] = s / m[r][r];
    if (!std::isfinite(x[r])) return false;
  }
  return true;
}
