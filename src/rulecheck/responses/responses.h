// rulecheck --responses: every converted record whose OLD and NEW models are simulated is
// run through the standard test of its kind, OLD as read and NEW as it would be written,
// and the two responses compared. Counts, the worst records, a sample for the median,
// the first findings and the records that did not pass are kept in fixed room; the CSV
// files are written as the records come.
#pragma once
#include <cstdio>

#include "convert/reading_loop.h"
#include "dynamics/comparison/choices.h"
#include "dynamics/comparison/comparison.h"
#include "models/catalogue.h"
#include "rulecheck/findings/findings.h"
#include "rulecheck/responses/response_files.h"
#include "rulecheck/responses/response_plots.h"
#include "rules/rule_table.h"

struct ResponseOptions {
  double tolerance;        // a fraction: 0.05 by default
  double phase_tolerance;  // degrees: 5
  const char* csv_folder;  // nullptr: no CSV files
};

// The values of one record kept to be simulated again for the report's plots.
constexpr int kKeptValues = 64;
struct KeptRecord {
  RowPlace at;
  double deviation;  // the record's largest, over its outputs (tolerance-relative)
  float old_values[kKeptValues];
  int old_given;
  float new_values[kKeptValues];
  int new_given;
};

// A record that did not pass, as the report lists it.
struct NotPassed {
  int line;
  int bus;
  char unit_id[3];
  Outcome outcome;
  char outputs[64];  // "pm", "gain, phase", "speed step pm, isolated unit dw"
  char reason[kReasonSize];
};

constexpr int kWorstKept = 5;
constexpr int kMedianSample = 64;
constexpr int kNotPassedKept = 200;

// What the check keeps of one rule.
struct RuleResponses {
  const ModelEntry* from;  // nullptr: not in the catalogue
  const ModelEntry* to;
  bool simulated;  // both models simulated, of one kind
  // Why a rule's records are not simulated ("exst3a has no simulation"); empty when
  // they are.
  char not_simulated_why[96];
  int records;            // converted records seen
  int conversion_failed;  // of which failed their conversion: not compared
  int compared;           // whose responses were compared (passed or failed)
  int passed;
  int failed;
  int no_start;
  int not_simulated;  // the records of a rule whose models are not simulated, and others
  int other;          // NOT_REPRESENTABLE, INVALID_DATA
  double worst;       // the largest deviation relative to its tolerance, and its line
  int worst_line;
  char worst_output[48];  // the output that deviates most ("isolated unit dw"), and by how much
  double worst_deviation;
  KeptRecord worst_records[kWorstKept];  // by deviation, largest first
  int worst_count;
  KeptRecord sample[kMedianSample];  // every stride-th compared record, for the median
  int sample_count;
  int sample_stride;
  int sample_seen;
  NotPassed not_passed[kNotPassedKept];
  int not_passed_count;  // all of them; the first kNotPassedKept are kept
};

// A finding about one record, kept to be written after the preview.
constexpr int kFindingsKept = 1000;
struct ResponseFinding {
  int line;
  Severity severity;
  char text[2 * kReasonSize + 160];
};

// Identical OLD and NEW values of a rule are simulated once: their results are kept in a
// table of fixed size, the older ones overwritten.
constexpr int kCacheSize = 1024;
struct CachedComparison {
  bool used;
  int rule;
  int old_given;
  int new_given;
  float old_values[kKeptValues];
  float new_values[kKeptValues];
  Comparison result;
};

// The plots of one rule's records that the report shows: the five worst and the median,
// each record once.
constexpr int kPlottedRules = 32;
struct RulePlots {
  int rule;
  int count;
  RecordPlot plots[kWorstKept + 1];
};

struct ResponseRun;
// Compares the OLD and NEW responses of one converted record.
void check_response(ResponseRun& run, const ConvertedRecord& record);

// A value as the converted record writes it, read back: what a simulator of the new file
// reads.
float as_written(float value);

// Keeps a comparison made elsewhere (the fit's last) in the table of comparisons made, so
// that the check of the same values finds it there.
void remember_comparison(ResponseRun& run, int rule, const float* old_values, int old_given,
                         const float* new_values, int new_given, const Comparison& c);

// A finding at a record's line, kept to be written after the preview.
void add_response_finding(ResponseRun& run, int line, Severity severity, const char* text);

struct ResponseRun {
  ResponseOptions options;
  const char* data_file;
  const RuleTable* table;
  RuleResponses rules[kMaxRuleSets];
  ResponseFinding findings[kFindingsKept];
  int finding_count;  // all of them; the first kFindingsKept are kept
  int errors_beyond;  // errors among those not kept
  int warnings_beyond;
  CachedComparison cache[kCacheSize];
  int cache_hits;
  ResponseFiles files;        // the CSV files, with --csv
  Trajectories trajectories;  // of the record in hand
  FullResponse full;          // NEW at every step, of a plotted record
  // The plots of the first kPlottedRules rules with compared records, and how many rules
  // with compared records have none.
  RulePlots plots[kPlottedRules];
  int plotted_rules;
  int unplotted_rules;
  // With --fit: the line of the record last fitted, and NEW's responses as the rule
  // converted it, for that record's files; nullptr without.
  int fitted_line;
  const double (*rule_values)[kMaxSamples];
};

// The check as an observer of the reading loop.
struct ResponseObserver final : LoopObserver {
  ResponseRun& run;
  explicit ResponseObserver(ResponseRun& r) : run(r) {}
  void record_converted(const ConvertedRecord& record) override { check_response(run, record); }
  void model_without_rule(const char*) override {}
  void blank_led_line(int, int) override {}
};

// Starts the check of a table's rules; with a CSV folder, creates it and opens its
// summary. False, after an error finding, when the folder cannot be written.
bool start_responses(ResponseRun& run, const RuleTable& table, const ResponseOptions& options,
                     const char* data_file, Findings& findings);

// After the preview: the tests' and choices' lines, a line per rule, then the findings
// kept; closes the CSV files. False when a CSV file could not be written.
// `more(context, out)`, when given, writes its lines after the rule lines.
bool finish_responses(ResponseRun& run, Findings& findings,
                      void (*more)(const void* context, std::FILE* out) = nullptr,
                      const void* context = nullptr);

// For a run that stops before finish_responses: its CSV files are removed, none is left
// under its temporary name.
void abandon_responses(ResponseRun& run);

// True when a rule of the run converts between simulated models of `kind`: its test and
// its choices are told.
bool kind_in_use(const ResponseRun& run, ModelKind kind);
// True when a choice concerns what the run simulates: a kind in use, or a model one of
// its simulated rules converts from or to.
bool choice_in_use(const ResponseRun& run, const Choice& choice);

// After the check, for the report: the plots of every rule's worst and median records,
// each compared again.
void make_response_plots(ResponseRun& run);

// The plots of rule `rule`; nullptr where it has none.
const RulePlots* plots_of(const ResponseRun& run, int rule);
