// Checking the fit files of a library, line by line, and against the rule's dry run.
#include "rulecheck/check/fit_check.h"

#include "text/format.h"

namespace {

void report_issue(Findings& findings, const RuleTable& table, const FitIssue& f) {
  char file[64];
  fit_file_path(table, f.rule, file, sizeof file);
  const SourcePoint at{file, f.line, f.column};
  switch (f.problem) {
    case FitProblem::not_an_output:
      report(findings, Severity::error, at,
             "[%s] is not an output of the rule: the line is left out", f.text);
      break;
    case FitProblem::not_a_name:
      report(findings, Severity::error, at,
             "[%s] does not name an output (a line is \"$name\" or \"$name low high\"): the line "
             "is left out",
             f.text);
      break;
    case FitProblem::bad_bounds: {
      if (f.low == 0 && f.high == 0 && f.text[0] != '$') {
        report(findings, Severity::error, at,
               "[%s] are not two numbers, low then high: the line is left out", f.text);
        break;
      }
      char low[kMaxFloatText + 1], high[kMaxFloatText + 1];
      put_shortest(low, f.low);
      put_shortest(high, f.high);
      report(findings, Severity::error, at,
             "[%s] has no room to be fitted: its bounds %s and %s are not low < high (the rule's "
             "limits unless the line gives its own): the line is left out",
             f.text, low, high);
      break;
    }
    case FitProblem::extra_tokens:
      report(findings, Severity::error, at,
             "[%s] follows the bounds: a line is \"$name low high\"; the line is left out", f.text);
      break;
    case FitProblem::repeated:
      report(findings, Severity::error, at, "[%s] is named twice: this line is left out", f.text);
      break;
    case FitProblem::too_many:
      report(findings, Severity::error, at,
             "[%s] is one output too many: a fit tunes at most %d; the line is left out", f.text,
             kMaxFitOutputs);
      break;
  }
}

// True when the assignment of output m reads output k.
bool reads_output(const CheckedLibrary& lib, int rule, int m, int k) {
  const Program& p = lib.library.compiled.rule_sets[rule].assignments[m];
  const Instruction* code = lib.library.compiled.pool + p.first;
  for (int n = 0; n < p.count; n += slots_of(code[n]))
    if (code[n].op == Op::load_output && code[n].slot == k) return true;
  return false;
}

void check_fit_plan(const CheckedLibrary& lib, const FitPlan& plan, int i) {
  const RuleSet& r = lib.table().rule_sets[i];
  char file[64];
  fit_file_path(lib.table(), i, file, sizeof file);
  const ConversionResult start = dry_run(lib, i);
  for (int j = 0; j < plan.count; ++j) {
    const FitLine& f = plan.lines[j];
    const SourcePoint at{file, f.line, 1};
    const float v = start.outputs[f.output];
    if (!(v >= f.low && v <= f.high)) {
      char value[kMaxFloatText + 1], low[kMaxFloatText + 1], high[kMaxFloatText + 1];
      put_shortest(value, v);
      put_shortest(low, f.low);
      put_shortest(high, f.high);
      report(lib.findings, Severity::warning, at,
             "dry run on the rule file's input values: [%s] is %s, outside its fit bounds %s to "
             "%s: a fit starts from the nearer bound",
             r.output_names[f.output], value, low, high);
    }
    for (int m = 0; m < r.output_count; ++m) {
      if (m == f.output || !reads_output(lib, i, m, f.output)) continue;
      bool fitted_too = false;
      for (int q = 0; q < plan.count; ++q) fitted_too = fitted_too || plan.lines[q].output == m;
      report(lib.findings, Severity::warning, at,
             "[%s] feeds the expression of [%s]: %s is computed from the rule's value of %s, "
             "not the fitted one%s",
             r.output_names[f.output], r.output_names[m], r.output_names[m],
             r.output_names[f.output],
             fitted_too ? " (it is fitted itself)" : "; fit it too, or compute it from inputs");
    }
  }
}

}  // namespace

void check_fit_files(const CheckedLibrary& lib, const FitLibrary& fits, const FitIssues& issues) {
  const int kept = issues.count < kMaxFitIssues ? issues.count : kMaxFitIssues;
  for (int n = 0; n < kept; ++n) report_issue(lib.findings, lib.table(), issues.items[n]);
  for (int i = 0; i < lib.table().rule_count; ++i)
    if (fits.plans[i].present && lib.sources.rule_sets[i].file_opened)
      check_fit_plan(lib, fits.plans[i], i);
}
