// Complex arithmetic and the phase angle of our own, from +, -, *, / and sqrt only, so that
// a transfer function gives the same bits on every system: the C libraries' hypot, atan2
// and complex pow are not rounded alike everywhere.
#pragma once

struct Complex {
  double re = 0;
  double im = 0;
};

inline Complex operator+(Complex a, Complex b) { return {a.re + b.re, a.im + b.im}; }
inline Complex operator-(Complex a, Complex b) { return {a.re - b.re, a.im - b.im}; }
inline Complex operator*(Complex a, Complex b) {
  return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
inline Complex operator*(double k, Complex a) { return {k * a.re, k * a.im}; }
// Smith's division, which does not overflow where the plain formula would.
Complex operator/(Complex a, Complex b);
inline Complex operator+(double k, Complex a) { return {k + a.re, a.im}; }

// The number to a whole power (n >= 0).
Complex power(Complex a, int n);

// |a|
double magnitude(Complex a);
// The angle of a in degrees, in (-180, 180]; 0 for 0.
double phase_degrees(Complex a);

// The arc tangent of y/x in radians, the quadrant from the signs, as atan2 defines it.
double arc_tangent(double y, double x);

constexpr double kPi = 3.14159265358979323846;
