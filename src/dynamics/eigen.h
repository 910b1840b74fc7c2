// The eigenvalues of a small real matrix, by our own reduction to Hessenberg form and the
// shifted QR iteration, with plain arithmetic and square roots only: the same bits on
// every system. For the stability of a linearised test bed.
#pragma once
#include "dynamics/complex_math.h"

constexpr int kMaxEigenSize = 24;

// The eigenvalues of the n x n matrix `a` (row-major, destroyed) into `values`; false
// where the iteration does not settle.
bool eigenvalues(double* a, int n, Complex* values);
