// Comparing the OLD and the NEW record of a unit by what they do under the standard test
// of their kind: the outcome of each compared output, its deviation and its reason, and
// what the test's outputs were, for files and plots.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dynamics/comparison/standard_tests.h"
#include "dynamics/governors/governor_io.h"
#include "dynamics/record_values.h"
#include "dynamics/verdict.h"
#include "models/catalogue.h"

// The kinds of models the comparison simulates, and the rest.
enum class SimulatedKind : uint8_t { none, governor, stabilizer, exciter, generator };
// The kind a model is simulated as, by its catalogue entry; `none` for a model outside
// the simulated set.
SimulatedKind simulated_kind(const ModelEntry& model);

// In the order of outcome_name's table.
enum class Outcome : uint8_t {
  pass,
  fail,
  no_start_old,
  no_start_new,
  not_simulated,
  not_representable,
  invalid_data,
  not_judged,    // simulated, but this test cannot judge the pair: another test does
  unstable_old,  // OLD's closed loop is unstable at rest: nothing to compare with
  unstable_new,  // NEW's closed loop is unstable where OLD's is not: a failure
};
const char* outcome_name(Outcome outcome);  // "PASS", "FAIL", "NO_START_OLD", ...

// The outcomes whose deviation means something, and those whose responses were run.
inline bool has_deviation(Outcome o) {
  return o == Outcome::pass || o == Outcome::fail || o == Outcome::not_judged ||
         o == Outcome::unstable_new;
}
inline bool has_responses(Outcome o) { return has_deviation(o) || o == Outcome::unstable_old; }

// One compared output.
struct OutputComparison {
  const StandardTest* test;  // the test it belongs to; nullptr where none could be run
  const char* output;        // "pm", "gain", "phase", "efd", "vt", "dw"
  Outcome outcome;
  bool of_new;       // the outcome is the NEW record's (INVALID_DATA, NOT_SIMULATED)
  double deviation;  // a fraction (degrees for "phase"); 0 where nothing was compared
  double at;         // the time (s) of the largest difference, or its frequency (Hz)
  char reason[kReasonSize];
};

// One of the tests a comparison runs: its outputs are first .. first + count - 1.
struct TestRun {
  const StandardTest* test;
  int first;
  int count;
  double p0;  // a governor test's starting power
};

struct Comparison {
  SimulatedKind kind;
  const StandardTest* test;  // the first test of the kind; nullptr where none could be run
  int runs;                  // the tests of the kind, in the table's order
  TestRun run[kMaxTestsOfKind];
  int count;  // outputs compared, over every test
  OutputComparison outputs[kMaxComparedOutputs];
  Notes notes;           // the choices a run made and what it left out
  bool mapping_finding;  // the notes tell of a part one record has and the other lacks
  int steps;             // the time-domain tests' steps (0 for stabilizers)
};

// An output as the findings name it: "pm", or "isolated unit pm" where the comparison
// runs more than one test.
void output_label(const Comparison& c, int output, char* out, std::size_t size);

struct ComparisonOptions {
  double tolerance;        // of a deviation, as a fraction: 0.05
  double phase_tolerance;  // degrees: 5
  // For a fit, which compares one OLD with many NEW: tests not to run (bit i: the kind's
  // test i; their outputs stay "not run"), and OLD's responses taken from the
  // trajectories as the last comparison of the same OLD left them.
  unsigned skip_runs = 0;
  bool reuse_old = false;
};

// What the last comparison computed: OLD at every step (NEW is measured against it as it
// runs), OLD and NEW every kSampleEvery-th step for files and plots, or gain and phase at
// every frequency.
struct Trajectories {
  int steps;
  // Room for a model's transport delay (ggov1's teng), used by one side at a time.
  double delay_line[kMaxDelaySteps + 1];
  double old_full[kMaxComparedOutputs][kMaxSteps + 1];
  double old_values[kMaxComparedOutputs][kMaxSamples];
  double new_values[kMaxComparedOutputs][kMaxSamples];
  double gain_old[kFrequencyCount];
  double phase_old[kFrequencyCount];  // degrees
  double gain_new[kFrequencyCount];
  double phase_new[kFrequencyCount];
};

// NEW at every step too, for whoever needs the whole response (tests, plots).
struct FullResponse {
  double new_values[kMaxComparedOutputs][kMaxSteps + 1];
};

// Compares the two records (their models of one kind, both simulated) under that kind's
// standard test. Deterministic: the same values give the same bytes. With `full`, NEW's
// every step is kept there too.
void compare_records(const RecordValues& old_record, const RecordValues& new_record,
                     const ComparisonOptions& options, Comparison& result,
                     Trajectories& trajectories, FullResponse* full = nullptr);
