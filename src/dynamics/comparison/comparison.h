// Comparing the OLD and the NEW record of a unit by what they do under the standard test
// of their kind: the outcome of each compared output, its deviation and its reason, and
// what the test's outputs were, for files and plots.
#pragma once
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
};
const char* outcome_name(Outcome outcome);  // "PASS", "FAIL", "NO_START_OLD", ...

// One compared output.
struct OutputComparison {
  const char* output;  // "pm", "gain", "phase", "efd", "vt"
  Outcome outcome;
  bool of_new;       // the outcome is the NEW record's (INVALID_DATA, NOT_SIMULATED)
  double deviation;  // a fraction (degrees for "phase"); 0 where nothing was compared
  double at;         // the time (s) of the largest difference, or its frequency (Hz)
  char reason[kReasonSize];
};

struct Comparison {
  SimulatedKind kind;
  const StandardTest* test;  // the test run; nullptr where none could be
  int count;                 // outputs compared
  OutputComparison outputs[kMaxComparedOutputs];
  Notes notes;           // the choices a run made and what it left out
  bool mapping_finding;  // the notes tell of a part one record has and the other lacks
  double p0;             // the governor test's starting power
  int steps;             // the time-domain test's steps (0 for stabilizers)
};

struct ComparisonOptions {
  double tolerance;        // of a deviation, as a fraction: 0.05
  double phase_tolerance;  // degrees: 5
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
