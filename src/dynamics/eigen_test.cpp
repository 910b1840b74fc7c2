// The eigenvalues of matrices whose eigenvalues are known: diagonal, companion forms of
// chosen polynomials, similar transforms of them, rotations, repeated roots, and the
// matrix that holds no room.
#include "dynamics/eigen.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "test_support.h"

namespace {

// Sorted by real part, then imaginary part, for comparison with a known list.
std::vector<Complex> sorted(const Complex* v, int n) {
  std::vector<Complex> out(v, v + n);
  std::sort(out.begin(), out.end(), [](const Complex& a, const Complex& b) {
    if (std::fabs(a.re - b.re) > 1e-9) return a.re < b.re;
    return a.im < b.im;
  });
  return out;
}

// The companion matrix of the monic polynomial with the given roots (real, or pairs
// re +- j im).
std::vector<double> companion(const std::vector<Complex>& roots) {
  const int n = static_cast<int>(roots.size());
  std::vector<double> re(n + 1, 0.0), im(n + 1, 0.0);  // coefficients, highest first
  re[0] = 1.0;
  for (int k = 0; k < n; ++k) {
    for (int i = k + 1; i >= 1; --i) {
      const double r = re[i] - (roots[k].re * re[i - 1] - roots[k].im * im[i - 1]);
      const double m = im[i] - (roots[k].re * im[i - 1] + roots[k].im * re[i - 1]);
      re[i] = r;
      im[i] = m;
    }
  }
  std::vector<double> a(n * n, 0.0);
  for (int c = 0; c < n; ++c) a[c] = -re[c + 1];
  for (int r = 1; r < n; ++r) a[r * n + r - 1] = 1.0;
  return a;
}

void expect_roots(std::vector<double> a, std::vector<Complex> want, double tolerance) {
  const int n = static_cast<int>(want.size());
  Complex got[kMaxEigenSize];
  ASSERT_TRUE(eigenvalues(a.data(), n, got));
  const auto g = sorted(got, n);
  const auto w = sorted(want.data(), n);
  for (int i = 0; i < n; ++i) {
    EXPECT_NEAR(g[i].re, w[i].re, tolerance) << "root " << i;
    EXPECT_NEAR(g[i].im, w[i].im, tolerance) << "root " << i;
  }
}

TEST(Eigenvalues, TriangularAndDiagonalMatricesGiveTheirDiagonal) {
  expect_roots({-3.0}, {{-3.0, 0.0}}, 0.0);
  expect_roots({2.0, 5.0, 0.0, -1.0}, {{2.0, 0.0}, {-1.0, 0.0}}, 1e-14);
  expect_roots({-1, 4, 7, 0, -2, 3, 0, 0, -0.5}, {{-1, 0}, {-2, 0}, {-0.5, 0}}, 1e-13);
}

TEST(Eigenvalues, RotationsAndOscillatorsGiveConjugatePairs) {
  // x'' + 2 zeta w x' + w^2 x = 0 with zeta 0.1, w 3: -0.3 +- j sqrt(9 - 0.09).
  const double w = 3.0, zeta = 0.1;
  expect_roots({0, 1, -w * w, -2 * zeta * w},
               {{-0.3, std::sqrt(8.91)}, {-0.3, -std::sqrt(8.91)}}, 1e-13);
  expect_roots({0, -1, 1, 0}, {{0, 1}, {0, -1}}, 1e-14);
}

TEST(Eigenvalues, CompanionMatricesOfChosenRoots) {
  const std::vector<Complex> sets[] = {
      {{-1, 0}, {-2, 0}, {-3, 0}, {-4, 0}},
      {{0.549, 0.592}, {0.549, -0.592}, {-5, 0}, {-0.2, 0}},
      {{-0.05, 2}, {-0.05, -2}, {-0.5, 0.3}, {-0.5, -0.3}, {-10, 0}, {-20, 0}},
      {{-1, 0}, {-1.5, 0}, {-0.25, 0.75}, {-0.25, -0.75}, {-2, 0}, {-6, 0}, {-0.1, 0}},
  };
  for (const auto& roots : sets) expect_roots(companion(roots), roots, 1e-8);
}

TEST(Eigenvalues, SimilarTransformsKeepTheRoots) {
  // T D T^-1 with D block diagonal of known roots and T a well-conditioned random matrix
  // (identity plus small entries, its inverse by Gauss-Jordan).
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> small(-0.3, 0.3);
  const int n = 12;
  std::vector<Complex> want;
  std::vector<double> d(n * n, 0.0);
  for (int i = 0; i < n; i += 2) {
    const double re = -0.1 * (i + 1), im = 0.5 * i;
    d[i * n + i] = re;
    d[(i + 1) * n + i + 1] = re;
    d[i * n + i + 1] = im;
    d[(i + 1) * n + i] = -im;
    want.push_back({re, im});
    want.push_back({re, -im});
  }
  std::vector<double> t(n * n), inv(n * n, 0.0);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) t[i * n + j] = (i == j ? 1.0 : 0.0) + small(rng);
  std::vector<double> work = t;
  for (int i = 0; i < n; ++i) inv[i * n + i] = 1.0;
  for (int c = 0; c < n; ++c) {
    int pivot = c;
    for (int r = c + 1; r < n; ++r)
      if (std::fabs(work[r * n + c]) > std::fabs(work[pivot * n + c])) pivot = r;
    for (int j = 0; j < n; ++j) {
      std::swap(work[c * n + j], work[pivot * n + j]);
      std::swap(inv[c * n + j], inv[pivot * n + j]);
    }
    const double p = work[c * n + c];
    for (int j = 0; j < n; ++j) {
      work[c * n + j] /= p;
      inv[c * n + j] /= p;
    }
    for (int r = 0; r < n; ++r) {
      if (r == c) continue;
      const double f = work[r * n + c];
      for (int j = 0; j < n; ++j) {
        work[r * n + j] -= f * work[c * n + j];
        inv[r * n + j] -= f * inv[c * n + j];
      }
    }
  }
  std::vector<double> td(n * n, 0.0), a(n * n, 0.0);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      for (int k = 0; k < n; ++k) td[i * n + j] += t[i * n + k] * d[k * n + j];
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      for (int k = 0; k < n; ++k) a[i * n + j] += td[i * n + k] * inv[k * n + j];
  expect_roots(a, want, 1e-10);
}

TEST(Eigenvalues, RepeatedRootsAndZeroMatrices) {
  expect_roots(companion({{-1, 0}, {-1, 0}, {-1, 0}}), {{-1, 0}, {-1, 0}, {-1, 0}}, 2e-5);
  expect_roots(std::vector<double>(16, 0.0), {{0, 0}, {0, 0}, {0, 0}, {0, 0}}, 0.0);
}

TEST(Eigenvalues, SizesOutsideTheRoomAreRefused) {
  double a[1] = {1.0};
  Complex v[1];
  EXPECT_FALSE(eigenvalues(a, 0, v));
  std::vector<double> big((kMaxEigenSize + 1) * (kMaxEigenSize + 1), 0.0);
  Complex many[kMaxEigenSize + 1];
  EXPECT_FALSE(eigenvalues(big.data(), kMaxEigenSize + 1, many));
}

TEST(Eigenvalues, TheSameBitsOnEveryRun) {
  auto a = companion({{0.549, 0.592}, {0.549, -0.592}, {-5, 0}, {-0.2, 0}});
  auto b = a;
  Complex x[4], y[4];
  ASSERT_TRUE(eigenvalues(a.data(), 4, x));
  ASSERT_TRUE(eigenvalues(b.data(), 4, y));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(x[i].re, y[i].re);
    EXPECT_EQ(x[i].im, y[i].im);
  }
}

}  // namespace
