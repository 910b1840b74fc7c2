// Eigenvalues of a small real matrix: balancing-free reduction to upper Hessenberg form by
// stabilised elimination, then the Francis double-shift QR iteration on it.
#include "dynamics/eigen.h"

#include <cmath>
#include <utility>

namespace {

struct Matrix {
  double* a;
  int n;
  double& at(int r, int c) const { return a[r * n + c]; }
};

// Elimination with row and column swaps to the largest pivot: similar to `a`, zero
// below its first subdiagonal.
void to_hessenberg(const Matrix& m) {
  const int n = m.n;
  for (int k = 1; k < n - 1; ++k) {
    int pivot = k;
    double largest = 0.0;
    for (int j = k; j < n; ++j) {
      if (std::fabs(m.at(j, k - 1)) > std::fabs(largest)) {
        largest = m.at(j, k - 1);
        pivot = j;
      }
    }
    if (pivot != k) {
      for (int j = k - 1; j < n; ++j) std::swap(m.at(pivot, j), m.at(k, j));
      for (int j = 0; j < n; ++j) std::swap(m.at(j, pivot), m.at(j, k));
    }
    if (largest == 0.0) continue;
    for (int i = k + 1; i < n; ++i) {
      double factor = m.at(i, k - 1);
      if (factor == 0.0) continue;
      factor /= largest;
      m.at(i, k - 1) = factor;
      for (int j = k; j < n; ++j) m.at(i, j) -= factor * m.at(k, j);
      for (int j = 0; j < n; ++j) m.at(j, k) += factor * m.at(j, i);
    }
  }
  for (int i = 2; i < n; ++i)
    for (int j = 0; j < i - 1; ++j) m.at(i, j) = 0.0;
}

double sign_of(double magnitude, double sign) {
  return sign >= 0 ? std::fabs(magnitude) : -std::fabs(magnitude);
}

}  // namespace

bool eigenvalues(double* values_in, int n, Complex* values) {
  if (n <= 0 || n > kMaxEigenSize) return false;
  const Matrix m{values_in, n};
  to_hessenberg(m);
  double norm = 0.0;
  for (int i = 0; i < n; ++i)
    for (int j = i > 0 ? i - 1 : 0; j < n; ++j) norm += std::fabs(m.at(i, j));
  int last = n - 1;
  double shift = 0.0;
  int iterations = 0;
  while (last >= 0) {
    int its = 0;
    int l;
    do {
      // The smallest l beyond which the subdiagonal is negligible.
      for (l = last; l >= 1; --l) {
        double s = std::fabs(m.at(l - 1, l - 1)) + std::fabs(m.at(l, l));
        if (s == 0.0) s = norm;
        if (std::fabs(m.at(l, l - 1)) + s == s) {
          m.at(l, l - 1) = 0.0;
          break;
        }
      }
      const double x = m.at(last, last);
      if (l == last) {  // one root found
        values[last] = Complex{x + shift, 0.0};
        --last;
        break;
      }
      const double y = m.at(last - 1, last - 1);
      const double w = m.at(last, last - 1) * m.at(last - 1, last);
      if (l == last - 1) {  // two roots found
        const double p = 0.5 * (y - x);
        const double q = p * p + w;
        const double z = std::sqrt(std::fabs(q));
        const double xs = x + shift;
        if (q >= 0.0) {
          const double zz = p + sign_of(z, p);
          values[last - 1] = values[last] = Complex{xs + zz, 0.0};
          if (zz != 0.0) values[last] = Complex{xs - w / zz, 0.0};
        } else {
          values[last - 1] = Complex{xs + p, z};
          values[last] = Complex{xs + p, -z};
        }
        last -= 2;
        break;
      }
      if (its == 60 || ++iterations > 60 * kMaxEigenSize) return false;
      double xx = x;
      double yy = y;
      double ww = w;
      if (its == 10 || its == 20) {  // an exceptional shift
        shift += xx;
        for (int i = 0; i <= last; ++i) m.at(i, i) -= xx;
        const double s = std::fabs(m.at(last, last - 1)) + std::fabs(m.at(last - 1, last - 2));
        yy = xx = 0.75 * s;
        ww = -0.4375 * s * s;
      }
      ++its;
      // A double step from the first of two small subdiagonals in a row.
      int k;
      double p = 0.0, q = 0.0, r = 0.0, z;
      for (k = last - 2; k >= l; --k) {
        z = m.at(k, k);
        r = xx - z;
        const double s = yy - z;
        p = (r * s - ww) / m.at(k + 1, k) + m.at(k, k + 1);
        q = m.at(k + 1, k + 1) - z - r - s;
        r = m.at(k + 2, k + 1);
        const double scale = std::fabs(p) + std::fabs(q) + std::fabs(r);
        p /= scale;
        q /= scale;
        r /= scale;
        if (k == l) break;
        const double u = std::fabs(m.at(k, k - 1)) * (std::fabs(q) + std::fabs(r));
        const double v = std::fabs(p) * (std::fabs(m.at(k - 1, k - 1)) + std::fabs(z) +
                                         std::fabs(m.at(k + 1, k + 1)));
        if (u + v == v) break;
      }
      for (int i = k + 2; i <= last; ++i) {
        m.at(i, i - 2) = 0.0;
        if (i != k + 2) m.at(i, i - 3) = 0.0;
      }
      for (int j = k; j <= last - 1; ++j) {
        double scale = 0.0;
        if (j != k) {
          p = m.at(j, j - 1);
          q = m.at(j + 1, j - 1);
          r = j != last - 1 ? m.at(j + 2, j - 1) : 0.0;
          scale = std::fabs(p) + std::fabs(q) + std::fabs(r);
          if (scale == 0.0) continue;
          p /= scale;
          q /= scale;
          r /= scale;
        }
        const double s = sign_of(std::sqrt(p * p + q * q + r * r), p);
        if (s == 0.0) continue;
        if (j == k) {
          if (l != k) m.at(j, j - 1) = -m.at(j, j - 1);
        } else {
          m.at(j, j - 1) = -s * scale;
        }
        p += s;
        const double xr = p / s;
        const double yr = q / s;
        const double zr = r / s;
        q /= p;
        r /= p;
        for (int c = j; c <= last; ++c) {  // rows
          double t = m.at(j, c) + q * m.at(j + 1, c);
          if (j != last - 1) {
            t += r * m.at(j + 2, c);
            m.at(j + 2, c) -= t * zr;
          }
          m.at(j + 1, c) -= t * yr;
          m.at(j, c) -= t * xr;
        }
        const int top = last < j + 3 ? last : j + 3;
        for (int i = l; i <= top; ++i) {  // columns
          double t = xr * m.at(i, j) + yr * m.at(i, j + 1);
          if (j != last - 1) {
            t += zr * m.at(i, j + 2);
            m.at(i, j + 2) -= t * r;
          }
          m.at(i, j + 1) -= t * q;
          m.at(i, j) -= t;
        }
      }
    } while (l < last - 1);
  }
  return true;
}
