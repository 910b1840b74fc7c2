// The bounded least-squares solver on problems with known answers: a curve recovered
// from its samples, a bound that excludes the answer, a parameter the residuals do not
// see, a start without finite residuals, and the cap on evaluations.
#include "dynamics/least_squares.h"

#include <cmath>
#include <vector>

#include "test_support.h"

namespace {

struct Room {
  std::vector<double> r, t, c;
  FitWork work;
  explicit Room(int capacity)
      : r(capacity), t(capacity), c(static_cast<std::size_t>(kMaxFitted) * capacity),
        work{r.data(), t.data(), c.data(), capacity} {}
};

// y = a e^(-t/b) + c sampled at 50 points; p = (a, b, c, unused).
struct Decay {
  double a = 2.0, b = 0.7, c = 0.3;
  int calls = 0;
  int operator()(const double* p, double* r) {
    ++calls;
    if (!(p[1] > 0)) return -1;
    for (int i = 0; i < 50; ++i) {
      const double t = 0.1 * i;
      r[i] = p[0] * std::exp(-t / p[1]) + p[2] - (a * std::exp(-t / b) + c);
    }
    return 50;
  }
};

TEST(LeastSquares, RecoversACurveFromAWrongStart) {
  Room room(64);
  Decay d;
  const double p0[] = {1, 2, 0}, lo[] = {0, 0.05, -1}, hi[] = {5, 5, 1};
  const FitResult f = fit_bounded(d, 3, p0, lo, hi, 200, room.work);
  EXPECT_EQ(f.stop, FitStop::converged);
  EXPECT_NEAR(f.p[0], 2.0, 1e-6);
  EXPECT_NEAR(f.p[1], 0.7, 1e-6);
  EXPECT_NEAR(f.p[2], 0.3, 1e-6);
  EXPECT_LT(f.cost, 1e-12);
  EXPECT_GT(f.cost_start, 1.0);
  EXPECT_LE(f.evaluations, 200);
  EXPECT_EQ(f.evaluations, d.calls);
  // The same problem gives the same bits.
  Decay again;
  const FitResult g = fit_bounded(again, 3, p0, lo, hi, 200, room.work);
  for (int j = 0; j < 3; ++j) EXPECT_EQ(f.p[j], g.p[j]);
}

TEST(LeastSquares, StopsAtABoundThatExcludesTheAnswer) {
  Room room(64);
  Decay d;
  const double p0[] = {1, 2, 0}, lo[] = {0, 0.05, -1}, hi[] = {1.5, 5, 1};
  const FitResult f = fit_bounded(d, 3, p0, lo, hi, 300, room.work);
  EXPECT_EQ(f.p[0], 1.5);
  EXPECT_TRUE(f.at_bound[0]);
  EXPECT_FALSE(f.at_bound[1]);
  EXPECT_GT(f.cost, 1e-6);  // the best the box allows, not zero
}

TEST(LeastSquares, AParameterTheResidualsDoNotSeeIsKept) {
  Room room(64);
  struct Blind {
    Decay d;
    int operator()(const double* p, double* r) { return d(p, r); }  // p[3] plays no part
  } blind;
  const double p0[] = {1, 2, 0, 0.25}, lo[] = {0, 0.05, -1, 0}, hi[] = {5, 5, 1, 1};
  const FitResult f = fit_bounded(blind, 4, p0, lo, hi, 300, room.work);
  EXPECT_TRUE(f.unseen[3]);
  EXPECT_EQ(f.p[3], 0.25);
  EXPECT_NEAR(f.p[1], 0.7, 1e-6);
}

TEST(LeastSquares, AStartWithoutResidualsAndTheCap) {
  Room room(64);
  Decay d;
  const double bad[] = {1, 0, 0}, lo[] = {0, 0, -1}, hi[] = {5, 5, 1};
  EXPECT_EQ(fit_bounded(d, 3, bad, lo, hi, 100, room.work).stop, FitStop::failed);
  const double p0[] = {1, 2, 0};
  Decay counted;
  const FitResult f = fit_bounded(counted, 3, p0, lo, hi, 9, room.work);
  EXPECT_LE(counted.calls, 9);
  EXPECT_EQ(f.stop, FitStop::capped);
  EXPECT_LT(f.cost, f.cost_start);  // the best point so far
  // A trial point without residuals is a step refused, not the end.
  struct Picky {
    Decay d;
    int operator()(const double* p, double* r) { return p[2] > 0.6 ? -1 : d(p, r); }
  } picky;
  const FitResult q = fit_bounded(picky, 3, p0, lo, hi, 300, room.work);
  EXPECT_NEAR(q.p[2], 0.3, 1e-5);
}

}  // namespace
