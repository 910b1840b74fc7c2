// The blocks the models are made of, each with its initial state, its derivative and its
// output, and the integrator's time step. A block's state is held by the model (one
// double of its state vector); a time constant of 0 makes a block algebraic.
#pragma once
#include <algorithm>

// The fixed step of every simulation: 1/480 s, an eighth of a 60 Hz cycle. Sample n is
// at t = n * kStep, from the integer n.
//
// Every block starts at rest: `init(u0)` is the state of a steady input u0; where a model
// starts from a block's output (an exciter from its field voltage), `at_output(y0)` is
// the state that holds that output.
constexpr int kStepsPerSecond = 480;
constexpr double kStep = 1.0 / kStepsPerSecond;

inline double clamp(double v, double lo, double hi) { return std::min(std::max(v, lo), hi); }

// 1/T of a time constant, 0 for T = 0: the blocks multiply by it, once divided.
inline double rate_of(double t) { return t > 0 ? 1.0 / t : 0.0; }

// Lag(K, T): T x' = K u - x, y = x; with T = 0, y = K u.
struct Lag {
  double k = 0;
  double t = 0;
  double rate = rate_of(t);
  double init(double u0) const { return k * u0; }
  // The state that holds output y0 at rest (a lag's state is its output).
  double at_output(double y0) const { return y0; }
  double derivative(double x, double u) const { return (k * u - x) * rate; }
  double output(double x, double u) const { return t > 0 ? x : k * u; }
};

// Lag(K, T) with a non-windup limit [lo, hi] on its state: the derivative is 0 while the
// state is at a limit and points outward, and the state is clamped after each stage of a
// step. With T = 0 the output is the clamp of K u.
struct LimitedLag {
  double k = 0;
  double t = 0;
  double lo = 0;
  double hi = 0;
  double rate = rate_of(t);
  double init(double u0) const { return k * u0; }
  double at_output(double y0) const { return y0; }
  double derivative(double x, double u) const {
    const double f = (k * u - x) * rate;
    return (x >= hi && f > 0) || (x <= lo && f < 0) ? 0.0 : f;
  }
  double limit(double x) const { return t > 0 ? clamp(x, lo, hi) : x; }
  double output(double x, double u) const { return t > 0 ? x : clamp(k * u, lo, hi); }
};

// LL(Tn, Td) = (1 + s Tn)/(1 + s Td): Td x' = u - x, y = (Tn/Td) u + (1 - Tn/Td) x; with
// Td = 0 the block is bypassed (y = u).
struct LeadLag {
  double tn = 0;
  double td = 0;
  double rate = rate_of(td);
  double lead = tn * rate;  // Tn/Td
  double init(double u0) const { return u0; }
  double derivative(double x, double u) const { return (u - x) * rate; }
  double output(double x, double u) const { return td > 0 ? lead * u + (1.0 - lead) * x : u; }
};

// WO(K, T) = K s/(1 + s T), the rate feedback: T x' = u - x, y = (K/T)(u - x); with
// T = 0, y = 0.
struct Washout {
  double k = 0;
  double t = 0;
  double rate = rate_of(t);
  double init(double u0) const { return u0; }
  double derivative(double x, double u) const { return (u - x) * rate; }
  double output(double x, double u) const { return k * rate * (u - x); }
};

// A derivative limited to [rlo, rhi] first, then held at the state's limits [lo, hi] as
// a non-windup limit holds it.
inline double rate_and_position(double f, double x, double rlo, double rhi, double lo, double hi) {
  f = clamp(f, rlo, rhi);
  return (x >= hi && f > 0) || (x <= lo && f < 0) ? 0.0 : f;
}

// PI(Kp, Ki) with a non-windup limit [lo, hi]: y = clamp(Kp u + x, lo, hi), x' = Ki u,
// held at 0 while the unclamped sum Kp u + x is at or beyond a limit and u drives it
// further. With Ki = 0 the block is a clamped gain and its state stays where it starts.
struct LimitedPI {
  double kp = 0;
  double ki = 0;
  double lo = 0;
  double hi = 0;
  double sum(double x, double u) const { return kp * u + x; }
  double output(double x, double u) const { return clamp(sum(x, u), lo, hi); }
  double derivative(double x, double u) const {
    const double s = sum(x, u);
    return (s >= hi && u > 0) || (s <= lo && u < 0) ? 0.0 : ki * u;
  }
};
