// rulecheck --fit: for every converted record whose rule has a fit file and whose models
// are simulated, the outputs the fit file names are tuned within their bounds until NEW's
// standard-test responses match OLD's, before the record is written; the converted file
// is then modelconv's, with the fitted values in place. The check of the responses that
// follows judges the fitted values.
#pragma once
#include "convert/record_step.h"
#include "dynamics/comparison/comparison.h"
#include "dynamics/least_squares.h"
#include "rulecheck/responses/responses.h"
#include "rules/fit_file.h"

static_assert(kMaxFitOutputs <= kMaxFitted, "the solver holds every output a fit file names");

// The residuals of one fit: every sample (1/120 s) of every output of the tests that
// judge the pair, or the gains and phases of a stabilizer.
constexpr int kFitResiduals = kMaxComparedOutputs * kMaxSamples + 2 * kFrequencyCount;
constexpr int kFitSimulations = 50;  // comparisons of NEW a record's fit may make

// What the fit of one record came to.
struct FitOfRecord {
  bool fitted;                   // a fit ran (the record's rule has a fit file, its models start)
  int line;                      // the record's
  int outputs;                   // fitted outputs, in the fit file's order
  float before[kMaxFitOutputs];  // the rule's values, as written
  float after[kMaxFitOutputs];   // the fitted values, as written
  bool unseen[kMaxFitOutputs];
  bool at_bound[kMaxFitOutputs];
  double deviation_before;  // the largest tolerance-relative deviation over judged outputs
  double deviation_after;   // (1: the edge of passing)
  int worst;                // the comparison's output of the largest deviation after
  char worst_label[48];     // "isolated unit dw"
  double worst_before;      // that output's deviation before and after
  double worst_after;
  int iterations;
  int simulations;
  FitStop stop;
  bool kept_rule;  // the fitted values did no better as written: the rule's stand
};

// What a rule's fits came to.
struct RuleFits {
  int fitted;
  int improved;
  int within;  // within the tolerance after
  double worst_before;
  int worst_before_line;
  double worst_after;
  int worst_after_line;
};

// A fitted record as the report lists it.
constexpr int kFitListed = 200;
struct ListedFit {
  int rule;
  RowPlace at;
  FitOfRecord fit;
};

// The record of a rule whose fit leaves the largest deviation: its values, to be
// compared again for the report's plot.
struct KeptFit {
  bool kept;
  RowPlace at;
  double deviation;  // tolerance-relative, after
  float old_values[kKeptValues];
  int old_given;
  float rule_values[kKeptValues];  // NEW as the rule converts it
  float fitted_values[kKeptValues];
  int new_given;
};

// The report's plot of a kept record: OLD, NEW as the rule converts it and NEW fitted.
constexpr int kFitPlotted = 8;  // rules whose worst fit is drawn
struct FitPlot {
  int rule;
  RecordPlot fitted;                           // OLD and NEW fitted, compared
  PlotColumns rule_side[kMaxComparedOutputs];  // NEW as the rule converts it
};

struct FitRun final : RecordTuner {
  const RuleTable* table;
  const FitLibrary* fits;
  ResponseRun* responses;
  RuleFits rules[kMaxRuleSets];
  FitOfRecord in_hand;  // of the record last tuned
  ListedFit listed[kFitListed];
  int listed_count;  // all of them; the first kFitListed are kept
  KeptFit worst[kMaxRuleSets];
  FitPlot plots[kFitPlotted];
  int plot_count;
  FullResponse full;  // NEW at every step, for the plots
  // The fit's own room: its comparisons, NEW's responses as the rule converts it, and the
  // solver's residuals and Jacobian.
  Comparison comparison;
  Trajectories trajectories;
  double rule_values[kMaxComparedOutputs][kMaxSamples];
  double residuals[kFitResiduals];
  double trial[kFitResiduals];
  double columns[kMaxFitted * kFitResiduals];

  void tune(const RecordAt& at, const char* text, const ParsedRecord& parsed,
            ConversionResult& conversion) override;
};

// Starts the fits of a table's rules.
void start_fits(FitRun& run, const RuleTable& table, const FitLibrary& fits,
                ResponseRun& responses);

// After the check: a line per rule with a fit file, the findings of the fits.
void finish_fits(const FitRun& run, std::FILE* out);

// For the report: the plots of the worst fitted record of the first kFitPlotted rules
// with fits, each compared again as the rule converts it and as fitted.
void make_fit_plots(FitRun& run);
