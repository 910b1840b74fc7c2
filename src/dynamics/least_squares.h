// A small bounded least-squares solver of our own: Levenberg-Marquardt with its step
// projected onto the bounds, the Jacobian by forward differences and Broyden's updates in
// between, a cap on the residual evaluations. Deterministic: plain arithmetic, the same
// bits on every system.
#pragma once
#include <cmath>

constexpr int kMaxFitted = 8;

// The room a fit works in, the caller's: the residuals at the point in hand, at a trial
// point, and one column of the Jacobian per parameter, each of `capacity` values.
struct FitWork {
  double* residuals;
  double* trial;
  double* columns;  // kMaxFitted columns of `capacity`
  int capacity;
};

enum class FitStop : unsigned char {
  converged,  // the cost no longer falls
  capped,     // the evaluations ran out: the best point so far
  failed,     // the start itself gives no finite residuals
};

struct FitResult {
  double p[kMaxFitted];
  double cost_start;  // half the sum of squares at the start
  double cost;        // at p
  int iterations;
  int evaluations;
  bool unseen[kMaxFitted];    // its Jacobian column is zero at the start: kept there
  bool at_bound[kMaxFitted];  // it ended on one of its bounds
  FitStop stop;
};

// Solves (A + lambda diag A) x = b for the n x n system of the free parameters, A
// row-major; false when it is singular.
bool solve_damped(const double* a, const double* b, int n, double lambda, double* x);

// Minimises half the sum of squares of `residuals(p, r)` (which writes r and returns how
// many, the same count every time, or -1 where p gives no finite residuals) over the n
// parameters within [lo, hi], from p0, with at most `cap` evaluations. It stops once the
// cost is below `enough`, or a step lowers it by less than a millionth.
template <class Residuals>
FitResult fit_bounded(Residuals& residuals, int n, const double* p0, const double* lo,
                      const double* hi, int cap, const FitWork& w, double enough = 0.0) {
  FitResult f{};
  const auto half_squares = [](const double* r, int m) {
    double s = 0.0;
    for (int i = 0; i < m; ++i) s += r[i] * r[i];
    return 0.5 * s;
  };
  for (int j = 0; j < n; ++j) f.p[j] = std::fmin(std::fmax(p0[j], lo[j]), hi[j]);
  const int m = residuals(f.p, w.residuals);
  f.evaluations = 1;
  if (m <= 0 || m > w.capacity) {
    f.stop = FitStop::failed;
    return f;
  }
  f.cost_start = f.cost = half_squares(w.residuals, m);
  if (!std::isfinite(f.cost)) {
    f.stop = FitStop::failed;
    return f;
  }
  double lambda = 1e-3;
  double trial_p[kMaxFitted];
  bool free_param[kMaxFitted];
  // The Jacobian is computed afresh (n evaluations) at the start, every few accepted steps
  // and after a step that failed; in between it follows each accepted step by Broyden's
  // rank-one update (no evaluation).
  bool fresh = false;  // the Jacobian in hand was just computed by differences
  int since_fresh = 0;
  bool need_jacobian = true;
  bool first = true;  // the first Jacobian: a column of zeros there is a parameter unseen
  while (f.evaluations < cap) {
    ++f.iterations;
    if (need_jacobian) {
      if (f.evaluations + n + 1 > cap) break;
      for (int j = 0; j < n; ++j) {
        free_param[j] = !f.unseen[j];
        if (!free_param[j]) continue;
        double step = 1e-4 * std::fmax(std::fabs(f.p[j]), 1e-2 * (hi[j] - lo[j]));
        if (!(step > 0)) step = 1e-6;
        if (f.p[j] + step > hi[j]) step = -step;
        for (int i = 0; i < n; ++i) trial_p[i] = f.p[i];
        trial_p[j] += step;
        double* column = w.columns + j * w.capacity;
        const int mj = residuals(trial_p, column);
        ++f.evaluations;
        double norm = 0.0;
        for (int i = 0; i < m; ++i) {
          column[i] = mj == m ? (column[i] - w.residuals[i]) / step : 0.0;
          norm += column[i] * column[i];
        }
        if (mj != m || !std::isfinite(norm)) {
          free_param[j] = false;  // no usable slope here: hold it for now
          for (int i = 0; i < m; ++i) column[i] = 0.0;
        } else if (norm <= 1e-24 * (1.0 + f.cost)) {
          // At the start: the residuals do not see it, and it is kept. Later (a floor of
          // the model reached): held for now.
          if (first) f.unseen[j] = true;
          free_param[j] = false;
        }
      }
      need_jacobian = false;
      first = false;
      fresh = true;
      since_fresh = 0;
    }
    // Gradient and normal matrix; a parameter on a bound that the gradient pushes out
    // of the box is held this step.
    double g[kMaxFitted] = {};
    bool moving[kMaxFitted];
    for (int j = 0; j < n; ++j) {
      moving[j] = free_param[j];
      if (!moving[j]) continue;
      const double* cj = w.columns + j * w.capacity;
      for (int i = 0; i < m; ++i) g[j] += cj[i] * w.residuals[i];
      if ((f.p[j] <= lo[j] && g[j] > 0) || (f.p[j] >= hi[j] && g[j] < 0)) moving[j] = false;
    }
    int index[kMaxFitted];
    int k = 0;
    for (int j = 0; j < n; ++j)
      if (moving[j]) index[k++] = j;
    if (k == 0) break;
    double a[kMaxFitted * kMaxFitted];
    double b[kMaxFitted];
    for (int r = 0; r < k; ++r) {
      const double* cr = w.columns + index[r] * w.capacity;
      b[r] = -g[index[r]];
      for (int c = r; c < k; ++c) {
        const double* cc = w.columns + index[c] * w.capacity;
        double s = 0.0;
        for (int i = 0; i < m; ++i) s += cr[i] * cc[i];
        a[r * k + c] = a[c * k + r] = s;
      }
    }
    // Steps of growing damping until one lowers the cost.
    bool improved = false;
    double gain = 0.0;
    int tries = 0;
    while (f.evaluations < cap && lambda < 1e12 && tries < 6) {
      double x[kMaxFitted];
      if (!solve_damped(a, b, k, lambda, x)) {
        lambda *= 10;
        continue;
      }
      for (int i = 0; i < n; ++i) trial_p[i] = f.p[i];
      for (int r = 0; r < k; ++r) {
        const int j = index[r];
        trial_p[j] = std::fmin(std::fmax(f.p[j] + x[r], lo[j]), hi[j]);
      }
      const int mt = residuals(trial_p, w.trial);
      ++f.evaluations;
      ++tries;
      const double cost = mt == m ? half_squares(w.trial, m) : INFINITY;
      if (std::isfinite(cost) && cost < f.cost) {
        gain = (f.cost - cost) / f.cost;
        // Broyden: the Jacobian made to map this step onto the change it made.
        double s[kMaxFitted];
        double ss = 0.0;
        for (int j = 0; j < n; ++j) {
          s[j] = trial_p[j] - f.p[j];
          ss += s[j] * s[j];
        }
        if (ss > 0) {
          for (int i = 0; i < m; ++i) {
            double predicted = 0.0;
            for (int j = 0; j < n; ++j)
              if (free_param[j]) predicted += w.columns[j * w.capacity + i] * s[j];
            const double u = (w.trial[i] - w.residuals[i] - predicted) / ss;
            for (int j = 0; j < n; ++j)
              if (free_param[j]) w.columns[j * w.capacity + i] += u * s[j];
          }
        }
        f.cost = cost;
        for (int i = 0; i < n; ++i) f.p[i] = trial_p[i];
        for (int i = 0; i < m; ++i) w.residuals[i] = w.trial[i];
        lambda = std::fmax(lambda / 3, 1e-12);
        improved = true;
        break;
      }
      lambda *= 4;
    }
    if (f.cost < 1e-20 || f.cost < enough) break;
    if (!improved || gain < 1e-6) {
      if (fresh) break;  // even the Jacobian by differences finds no better point
      need_jacobian = true;
      continue;
    }
    fresh = false;
    if (++since_fresh >= 3) need_jacobian = true;
  }
  f.stop = f.evaluations + 1 > cap && f.cost > 1e-20 && f.cost >= enough ? FitStop::capped
                                                                         : FitStop::converged;
  for (int j = 0; j < n; ++j) f.at_bound[j] = !f.unseen[j] && (f.p[j] <= lo[j] || f.p[j] >= hi[j]);
  return f;
}
