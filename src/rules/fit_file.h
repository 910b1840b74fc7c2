// Fit files: "lib/FROM-TO.fit" beside a rule file, optional, naming the outputs that
// rulecheck --fit may tune and the bounds it tunes them within. One line per output:
// "$name", or "$name low high" (otherwise the rule's own limits of that output); "#"
// begins a comment line; blank lines are skipped.
#pragma once
#include <cstddef>

#include "io/line_reader.h"
#include "rules/rule_table.h"

constexpr int kMaxFitOutputs = 8;  // outputs one fit may tune

struct FitLine {
  int output;  // the rule's output index
  float low;
  float high;
  int line;  // in the fit file, 1-based
};

struct FitPlan {
  bool present;  // the rule has a fit file
  int count;
  FitLine lines[kMaxFitOutputs];
};

struct FitLibrary {
  FitPlan plans[kMaxRuleSets];  // by the RuleTable's index
};

// What a fit file says that cannot be used: the line is left out.
enum class FitProblem {
  not_an_output,  // "$name" is not an output of the rule
  not_a_name,     // the line does not begin with "$"
  bad_bounds,     // low and high are no numbers, or not low < high
  extra_tokens,   // more than "$name low high"
  repeated,       // an output named twice
  too_many,       // more than kMaxFitOutputs outputs
};
struct FitIssue {
  FitProblem problem;
  int rule;
  int line;
  int column;
  char text[48];  // the token concerned, cut
  float low;      // the bounds read (bad_bounds)
  float high;
};
constexpr int kMaxFitIssues = 256;
struct FitIssues {
  FitIssue items[kMaxFitIssues];
  int count;  // all of them; the first kMaxFitIssues are kept
};

// "lib/" + from-model + "-" + to-model + ".fit" of RuleSet i.
void fit_file_path(const RuleTable& table, int i, char* buf, std::size_t size);

// Reads the fit file of every RuleSet that has one, each line whole into `line`.
void load_fit_files(const RuleTable& table, FitLibrary& fits, FitIssues& issues, WholeLine& line);
