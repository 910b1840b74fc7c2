// The blocks under the integrator against their closed forms, and the non-windup limit
// held and left as the discrete rule says.
#include "dynamics/blocks.h"

#include <cmath>
#include <vector>

#include "dynamics/heun.h"
#include "test_support.h"

namespace {

// One block as a model of one state, driven by a unit step at t = 1 s.
template <class Block>
struct OneBlock {
  static constexpr int kStates = 1;
  Block block;
  void derivatives(const double* x, double u, double* dx) const {
    dx[0] = block.derivative(x[0], u);
  }
  void limit(double*) const {}
  double output(const double* x, double u) const { return block.output(x[0], u); }
};

template <class Block>
std::vector<double> step_response(const Block& block, double seconds) {
  const OneBlock<Block> model{block};
  double x[1] = {block.init(0.0)};
  const int steps = static_cast<int>(seconds * kStepsPerSecond);
  std::vector<double> y(static_cast<std::size_t>(steps) + 1);
  run_heun(
      model, x, steps, [](int n) { return n >= kStepsPerSecond ? 1.0 : 0.0; },
      [&](int n, double v) { y[static_cast<std::size_t>(n)] = v; });
  return y;
}

// The largest difference from `exact(tau)` (tau: time since the step), and the value at
// tau = 0.5 s.
template <class Exact>
double largest_error(const std::vector<double>& y, Exact exact) {
  double worst = 0.0;
  for (std::size_t n = 0; n < y.size(); ++n) {
    const double tau = static_cast<double>(n) * kStep - 1.0;
    worst = std::max(worst, std::fabs(y[n] - (tau < 0 ? exact(-1.0) : exact(tau))));
  }
  return worst;
}

TEST(Blocks, LagAgainstItsExponential) {
  // The integrator's check of the reference sheet: T = 0.5 s, a unit step at 1 s.
  const std::vector<double> y = step_response(Lag{1.0, 0.5}, 6.0);
  EXPECT_NEAR(y[720], 0.632119491, 5e-10);  // t = 1.5 s; exact 0.632120559
  const auto exact = [](double tau) { return tau < 0 ? 0.0 : 1.0 - std::exp(-tau / 0.5); };
  EXPECT_NEAR(largest_error(y, exact), 1.07e-6, 0.01e-6);
  // A time constant of ten steps is followed far less closely.
  const std::vector<double> fast = step_response(Lag{1.0, 0.02}, 6.0);
  EXPECT_NEAR(
      largest_error(fast, [](double tau) { return tau < 0 ? 0.0 : 1.0 - std::exp(-tau / 0.02); }),
      7.2e-4, 0.05e-4);
  // T = 0: algebraic.
  const std::vector<double> none = step_response(Lag{2.0, 0.0}, 2.0);
  EXPECT_EQ(none[479], 0.0);
  EXPECT_EQ(none[480], 2.0);
}

TEST(Blocks, LeadLagAndWashoutAgainstTheirClosedForms) {
  // (1 + 0.3 s)/(1 + 2 s): y = 1 - (1 - 0.15) e^(-tau/2) after the jump to 0.15.
  const std::vector<double> ll = step_response(LeadLag{0.3, 2.0}, 12.0);
  EXPECT_EQ(ll[480], 0.15);
  EXPECT_LT(largest_error(
                ll, [](double tau) { return tau < 0 ? 0.0 : 1.0 - 0.85 * std::exp(-tau / 2.0); }),
            1e-6);
  // A lead-lag with Td = 0 passes its input.
  EXPECT_EQ(step_response(LeadLag{0.3, 0.0}, 2.0)[500], 1.0);
  // 3 s/(1 + 0.5 s): y = (3/0.5) e^(-tau/0.5), 0 without a time constant.
  const std::vector<double> wo = step_response(Washout{3.0, 0.5}, 6.0);
  EXPECT_LT(
      largest_error(wo, [](double tau) { return tau < 0 ? 0.0 : 6.0 * std::exp(-tau / 0.5); }),
      3e-5);
  EXPECT_EQ(step_response(Washout{3.0, 0.0}, 2.0)[600], 0.0);
}

// A limited lag driven to twice its upper limit for 4 s, then to half of it.
struct HeldLag {
  static constexpr int kStates = 1;
  LimitedLag lag{1.0, 1.0, 0.0, 1.0};
  void derivatives(const double* x, double u, double* dx) const { dx[0] = lag.derivative(x[0], u); }
  void limit(double* x) const { x[0] = lag.limit(x[0]); }
  double output(const double* x, double u) const { return lag.output(x[0], u); }
};

TEST(Blocks, NonWindupLimitHoldsAndLetsGoAtOnce) {
  const HeldLag model;
  double x[1] = {0.0};
  std::vector<double> y(10 * kStepsPerSecond + 1);
  run_heun(
      model, x, 10 * kStepsPerSecond, [](int n) { return n < 4 * kStepsPerSecond ? 2.0 : 0.5; },
      [&](int n, double v) { y[static_cast<std::size_t>(n)] = v; });
  // Held at the limit, never beyond it.
  for (int n = 0; n <= 4 * kStepsPerSecond; ++n) ASSERT_LE(y[static_cast<std::size_t>(n)], 1.0);
  EXPECT_EQ(y[4 * kStepsPerSecond], 1.0);
  // It leaves the limit with the first step that points inward: 0.5 + 0.5 e^(-tau).
  for (const double tau : {0.1, 0.5, 2.0}) {
    const auto n = static_cast<std::size_t>(std::lround((4.0 + tau) * kStepsPerSecond));
    EXPECT_NEAR(y[n], 0.5 + 0.5 * std::exp(-tau), 2e-6) << tau;
  }
  // Rate first, then position.
  EXPECT_EQ(rate_and_position(5.0, 0.5, -0.1, 0.2, 0.0, 1.0), 0.2);
  EXPECT_EQ(rate_and_position(5.0, 1.0, -0.1, 0.2, 0.0, 1.0), 0.0);
  EXPECT_EQ(rate_and_position(-5.0, 1.0, -0.1, 0.2, 0.0, 1.0), -0.1);
  EXPECT_EQ(rate_and_position(-5.0, 0.0, -0.1, 0.2, 0.0, 1.0), 0.0);
}

}  // namespace
