// Comparing the OLD and the NEW record of a unit by what they do under the standard
// test of their kind: the governors' speed step, the stabilizers' gain and phase, the
// exciters' reference step on a fixed machine, the generators' field step on open
// circuit; the outcome of each compared output, its deviation and its reason.
#pragma once
#include <cstdint>

#include "dynamics/blocks.h"
#include "dynamics/record_values.h"
#include "dynamics/stabilizers.h"
#include "dynamics/verdict.h"

// The kinds of models the comparison simulates, and the rest.
enum class SimulatedKind : uint8_t { none, governor, stabilizer, exciter, generator };
// The kind a model is simulated as; `none` for a model outside the simulated set.
SimulatedKind simulated_kind(const ModelEntry& model);

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

constexpr int kMaxComparedOutputs = 2;
struct Comparison {
  SimulatedKind kind;
  int count;  // outputs compared
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

// The steps of the exciter test (the voltage reference, +0.05 pu at 1 s, 10 s) and of
// the generator test (the field voltage, +0.05 pu at 1 s, 20 s).
constexpr double kReferenceStep = 0.05;
constexpr double kFieldStep = 0.05;

// The longest time-domain test: 60 s.
constexpr int kMaxSteps = 60 * kStepsPerSecond;

// What the last comparison computed, for plots and files: OLD and NEW at every sample
// of a time-domain test (output by output), or gain and phase at every frequency.
struct Trajectories {
  int steps;
  double old_values[kMaxComparedOutputs][kMaxSteps + 1];
  double new_values[kMaxComparedOutputs][kMaxSteps + 1];
  double gain_old[kFrequencyCount];
  double phase_old[kFrequencyCount];  // degrees
  double gain_new[kFrequencyCount];
  double phase_new[kFrequencyCount];
};

// Compares the two records (their models of one kind, both simulated) under that kind's
// standard test. Deterministic: the same values give the same bytes.
void compare_records(const RecordValues& old_record, const RecordValues& new_record,
                     const ComparisonOptions& options, Comparison& result,
                     Trajectories& trajectories);

// The deviation of NEW from OLD over samples 0..steps: the largest difference over the
// largest excursion of OLD from its start (the largest difference itself where OLD moves
// less than 1e-6), with the sample of the largest difference.
struct Deviation {
  double value;
  int sample;
  bool absolute;
};
Deviation deviation_of(const double* old_values, const double* new_values, int steps);
