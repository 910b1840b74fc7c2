// The standard tests, one row per model kind: what the test steps, when and by how much,
// how long it runs, what it samples and compares. The runners, the console's header
// line, the report's prose and the guide's table are made from this one table.
#pragma once
#include <cstddef>

#include "dynamics/blocks.h"
#include "models/catalogue.h"

// Over every test of one kind: the governors' speed step (Pm) and isolated unit (Pm, dw).
constexpr int kMaxComparedOutputs = 3;
constexpr int kMaxTestsOfKind = 2;

enum class Metric : unsigned char {
  time_domain,  // the deviation of each sampled output from OLD's
  frequency,    // gain and phase errors over the frequencies
};

struct StandardTest {
  const char* name;   // as summary.csv names it
  ModelKind kind;     // the models it judges
  const char* label;  // "governors"
  const char* what;   // "speed step"
  Metric metric;
  double step;           // the step's size (pu)
  double at;             // when it comes (s)
  const char* where;     // what the unit is tested on: " on open circuit"
  double p0;             // the starting power (pu), governors only
  double seconds;        // how long the test runs
  double hydro_seconds;  // for a hydro unit (0: no longer run)
  int outputs;
  const char* output_names[kMaxComparedOutputs];   // "pm", as the findings and files name it
  const char* output_labels[kMaxComparedOutputs];  // "Pm", as the prose names it
  int compare_every;                               // the outputs are compared every this many steps
  double inertia;                                  // H (s) of the test's rotating mass, 0 for none
  double load_damping;                             // D of its load (pu power per pu speed)
  const char* file;  // the response file of all outputs, "L<line>-<file>.csv"; nullptr:
                     // one file per output, "L<line>-<output>.csv"
};

constexpr int kStandardTestCount = 5;
extern const StandardTest kStandardTests[kStandardTestCount];

// The test that judges models of `kind`; nullptr for none.
const StandardTest* standard_test(ModelKind kind);

// The steps of a test of `seconds`, and the sample of its step time.
inline int steps_of(double seconds) { return static_cast<int>(seconds * kStepsPerSecond); }
inline int step_sample(const StandardTest& test) { return steps_of(test.at); }

// The frequencies of the stabilizer test.
constexpr double kStabilizerFrequencies[] = {0.1, 0.2, 0.3, 0.5, 0.7, 1.0, 1.5, 2.0, 3.0};
constexpr int kFrequencyCount = 9;

// The longest time-domain test, in steps, and the samples kept of it for files and plots:
// every kSampleEvery-th step (1/120 s).
constexpr int kMaxSteps = 60 * kStepsPerSecond;
constexpr int kSampleEvery = kStepsPerSecond / 120;
constexpr int kMaxSamples = kMaxSteps / kSampleEvery + 1;

// A test in words, for the console, the report and the guide: "governors: speed step
// -0.004 pu at 1 s from P0 = 0.8 pu, Pm over 30 s (60 s for hydro units)".
void describe_test(const StandardTest& test, char* out, std::size_t size);
// What every test shares: "h = 1/480 s, tolerance 5 %, phase 5 deg".
void describe_numerics(char* out, std::size_t size, double tolerance_percent, double phase_degrees);
