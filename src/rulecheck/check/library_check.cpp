// Checking a loaded rule library without any data file: every pair, parameter and
// expression, then a dry run of each RuleSet on the input values its rule file gives.
#include "rulecheck/check/library_check.h"

#include <cmath>
#include <cstring>

#include "convert/convert_record.h"
#include "convert/record_step.h"
#include "rulecheck/check/expression_check.h"
#include "rulecheck/check/layout_check.h"
#include "rulecheck/findings/findings.h"
#include "text/format.h"

namespace {

bool starts_with(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

void report_load_failure(Findings& findings, const LoadFailure& f) {
  switch (f.problem) {
    case LoadProblem::missing_selection_file:
      report(findings, Severity::error, SourcePoint{f.file, 0, 0},
             "cannot open the rule selection file");
      break;
    case LoadProblem::missing_rule_file:
      report(findings, Severity::error, SourcePoint{kRuleSelectionFile, f.line, f.column},
             "cannot open the rule file [%s]", f.file);
      break;
    case LoadProblem::limit_exceeded: {
      char what[64];
      describe_limit(f.limit, what, sizeof what);
      report(findings, Severity::error, SourcePoint{f.file, f.line, f.column},
             "rule library limit exceeded: %s", what);
      break;
    }
  }
}

// Load failures in `file` (missing rule files count as failures of "rule.txt").
void report_load_failures_of(const CheckedLibrary& lib, const char* file) {
  const LoadFailures& failures = lib.failures;
  for (int f = 0; f < kept_failures(failures); ++f) {
    const LoadFailure& failure = failures.items[f];
    const bool in_selection = failure.problem != LoadProblem::limit_exceeded;
    if (in_selection ? std::strcmp(file, kRuleSelectionFile) == 0
                     : std::strcmp(failure.file, file) == 0)
      report_load_failure(lib.findings, failure);
  }
}

// "rule.txt": pairs whose from-model an earlier pair already has.
void check_pairs(const CheckedLibrary& lib) {
  const RuleTable& table = lib.table();
  const RuleSource* sources = lib.sources.rule_sets;
  for (int i = 0; i < table.rule_count; ++i) {
    const RuleSet& r = table.rule_sets[i];
    for (int j = 0; j < i; ++j) {
      if (std::strcmp(table.rule_sets[j].from_model, r.from_model) != 0) continue;
      report(lib.findings, Severity::warning,
             SourcePoint{kRuleSelectionFile, sources[i].pair_line, sources[i].from_column},
             "from-model [%s] is already converted by the pair on line %d: this pair is never used",
             r.from_model, sources[j].pair_line);
      break;
    }
  }
  report_load_failures_of(lib, kRuleSelectionFile);
}

void check_inputs(const CheckedLibrary& lib, int i, const char* file) {
  const RuleSet& r = lib.table().rule_sets[i];
  const RuleSource& s = lib.sources.rule_sets[i];
  for (int k = 0; k < r.input_count; ++k) {
    const SourcePoint at{file, s.input_lines[k], s.input_columns[k]};
    const char* name = r.input_names[k];
    if (starts_with(name, "@end")) {
      report(
          lib.findings, Severity::warning, at,
          "indented [%s] does not end the input section: \"@end\" must stand in the first column; "
          "every line after it is read as an input parameter",
          name);
      return;  // what follows is only the consequence
    }
    if (name[0] == '\0') {
      report(lib.findings, Severity::warning, at,
             "a line without tokens is input parameter %d: every record value after it feeds the "
             "next parameter",
             k + 1);
    } else if (name[0] != '@') {
      report(lib.findings, Severity::warning, at,
             "input name [%s] does not begin with \"@\": no expression can read it", name);
    } else {
      for (int j = 0; j < k; ++j) {
        if (std::strcmp(r.input_names[j], name) != 0) continue;
        report(lib.findings, Severity::warning, at,
               "input [%s] is given twice: only the first, on line %d, is ever found", name,
               s.input_lines[j]);
        break;
      }
    }
  }
  if (s.file_read && s.input_end_line == 0)
    report(lib.findings, Severity::warning, SourcePoint{file, 0, 0},
           "no \"@end\" line: every line of the file is read as an input parameter");
}

// True when the program computes from numbers alone (and assigns at most its output).
bool is_constant(const Program& p, const Instruction* pool) {
  const Instruction* code = pool + p.first;
  for (int n = 0; n < p.count; n += slots_of(code[n])) {
    const Op op = code[n].op;
    if (op != Op::push && op != Op::negate && !is_binary(op) && op != Op::store_output)
      return false;
  }
  return p.stores;
}

// One output line of RuleSet i being checked: where its tokens stand.
struct OutputLine {
  const CheckedLibrary& lib;
  int i;  // the RuleSet
  int k;  // the output parameter
  const char* file;
  const RuleSet& rule() const { return lib.table().rule_sets[i]; }
  const OutputSource& source() const { return lib.sources.rule_sets[i].outputs[k]; }
  SourcePoint line() const { return SourcePoint{file, source().line, 0}; }
  SourcePoint token(OutputToken t) const {
    return SourcePoint{file, source().line, source().column[t]};
  }
  ExpressionSite site(const char* text, OutputToken t, ExpressionRole role) const {
    return ExpressionSite{text, token(t), rule(), k, role, lib.library.compiled.pool, lib.findings};
  }
};

// The assignment token: an output name given twice, then its expression.
void check_assignment(const OutputLine& o, bool* assigned_by_now) {
  const RuleSet& r = o.rule();
  const char* name = r.output_names[o.k];
  if (!std::strchr(r.expressions[o.k], '=')) {
    report(o.lib.findings, Severity::error, o.token(kAssignmentToken),
           "output line without \"=\" [%s]", r.expressions[o.k]);
    return;
  }
  for (int j = 0; j < o.k; ++j) {
    if (std::strcmp(r.output_names[j], name) != 0) continue;
    report(o.lib.findings, Severity::warning, o.token(kAssignmentToken),
           "output [%s] is given twice: only the first, on line %d, is ever found", name,
           o.lib.sources.rule_sets[o.i].outputs[j].line);
    break;
  }
  check_expression(o.lib.library.compiled.rule_sets[o.i].assignments[o.k],
                   o.site(r.expressions[o.k], kAssignmentToken, ExpressionRole::assignment),
                   assigned_by_now);
}

void check_limits(const OutputLine& o) {
  const RuleSet& r = o.rule();
  if (r.low_limits[o.k] <= r.high_limits[o.k]) return;
  char low[kMaxFloatText + 1];
  char high[kMaxFloatText + 1];
  put_shortest(low, r.low_limits[o.k]);
  put_shortest(high, r.high_limits[o.k]);
  report(o.lib.findings, Severity::warning, o.token(kLowToken),
         "low limit [%s] above high limit [%s]", low, high);
}

// The test and the replace expression, which run after every assignment of the record.
void check_test_and_replacement(const OutputLine& o, const bool* assigned_in_all) {
  const RuleSet& r = o.rule();
  const CompiledRuleSet& c = o.lib.library.compiled.rule_sets[o.i];
  bool assigned[kMaxParameters];
  std::memcpy(assigned, assigned_in_all, sizeof assigned);
  if (r.test_expressions[o.k][0] == '\0') {
    // A constant needs no test: it has the same value in every record.
    if (!is_constant(c.assignments[o.k], o.lib.library.compiled.pool))
      report(o.lib.findings, Severity::warning, o.line(),
             "no test expression for [%s]: its value is never checked", r.output_names[o.k]);
  } else {
    check_expression(c.tests[o.k],
                     o.site(r.test_expressions[o.k], kTestToken, ExpressionRole::test), assigned);
  }
  const char* replace = r.replace_expressions[o.k];
  switch (replacement_of(replace)) {
    case Replacement::none:
      break;
    case Replacement::never:
      report(o.lib.findings, Severity::warning, o.token(kReplaceToken),
             "replace expression [%s] begins with \"NULL\": it is never evaluated, the value is "
             "kept",
             replace);
      break;
    case Replacement::expression:
      check_expression(c.replaces[o.k], o.site(replace, kReplaceToken, ExpressionRole::replacement),
                       assigned);
      break;
  }
}

// The static findings of an output line, in the order of its tokens.
void check_output_line(const OutputLine& o, bool* assigned_by_now, const bool* assigned_in_all) {
  const RuleSet& r = o.rule();
  if (r.expressions[o.k][0] == '\0') {
    report(o.lib.findings, Severity::warning, o.line(),
           "a line without tokens is output parameter %d: it writes the value 0", o.k + 1);
    return;
  }
  if (starts_with(r.expressions[o.k], "$end")) {
    report(o.lib.findings, Severity::warning, o.token(kAssignmentToken),
           "indented [%s] does not end the output section: \"$end\" must stand in the first column",
           r.expressions[o.k]);
    return;
  }
  check_assignment(o, assigned_by_now);
  check_limits(o);
  check_test_and_replacement(o, assigned_in_all);
}

}  // namespace

// By the per-record step of every program.
ConversionResult dry_run(const CheckedLibrary& lib, int i) {
  const RuleSet& r = lib.table().rule_sets[i];
  RuleValues values = start_values(r);
  RuleCounts counts{};
  char text[kRecordSize];
  std::snprintf(text, sizeof text, "%s 0 \"\" 0 \"  \" :\n", r.from_model);
  ParsedRecord parsed;
  parsed.colon_position = static_cast<int>(std::strchr(text, ':') - text) + 1;
  parsed.mva_text[0] = '\0';
  std::memcpy(parsed.values.values, r.input_start, sizeof r.input_start);
  const StepOutputs quiet{nullptr, ConvertStreams{nullptr, nullptr, false, BusNameForm::token},
                          false, nullptr, RecordAt{i, 0, 0}};
  return convert_parsed(active_rule(lib.library, i, values, counts), text, parsed, false, quiet);
}

namespace {

void report_dry_run(const OutputLine& o, const ConversionResult& result) {
  const float* outputs = result.outputs;
  const RuleSet& r = o.rule();
  const int k = o.k;
  const SourcePoint at = o.token(kAssignmentToken);
  char v[kMaxFloatText + 1];
  put_shortest(v, outputs[k]);
  if (result.marks[k] == ValueMark::kept)
    report(o.lib.findings, Severity::warning, at,
           "dry run on the rule file's input values: [%s] fails its test [%s] and is kept at %s",
           r.output_names[k], r.test_expressions[k], v);
  if (result.marks[k] == ValueMark::replaced)
    report(
        o.lib.findings, Severity::warning, at,
        "dry run on the rule file's input values: [%s] fails its test [%s] and is replaced by %s",
        r.output_names[k], r.test_expressions[k], v);
  if (outputs[k] < kFailureThreshold || std::isnan(outputs[k])) {
    char threshold[kMaxFloatText + 1];
    put_shortest(threshold, kFailureThreshold);
    report(o.lib.findings, Severity::warning, at,
           "dry run on the rule file's input values: [%s] ends at %s, below %s: the record "
           "would fail",
           r.output_names[k], v, threshold);
  }
}

// What the assignments of a record assign in all: their own outputs and any output
// they assign by name.
void outputs_assigned(const CheckedLibrary& lib, int i, bool* assigned) {
  const RuleSet& r = lib.table().rule_sets[i];
  for (int k = 0; k < r.output_count; ++k) {
    const Program& p = lib.library.compiled.rule_sets[i].assignments[k];
    if (p.stores) assigned[k] = true;
    const Instruction* code = lib.library.compiled.pool + p.first;
    for (int n = 0; n < p.count; n += slots_of(code[n]))
      if (code[n].op == Op::store_output) assigned[code[n].slot] = true;
  }
}

void check_rule_file(const CheckedLibrary& lib, int i) {
  char file[kRulePathSize];
  rule_file_path(lib.table(), i, file, sizeof file);
  check_inputs(lib, i, file);
  bool assigned_by_now[kMaxParameters] = {};
  bool assigned_in_all[kMaxParameters] = {};
  outputs_assigned(lib, i, assigned_in_all);
  const ConversionResult result = dry_run(lib, i);
  for (int k = 0; k < lib.table().rule_sets[i].output_count; ++k) {
    const OutputLine o{lib, i, k, file};
    check_output_line(o, assigned_by_now, assigned_in_all);
    report_dry_run(o, result);
  }
  check_layouts(lib, i, file);
  report_load_failures_of(lib, file);
}

// A pair listed twice names one file: its findings are given once.
bool listed_before(const RuleTable& table, int i) {
  const RuleSet& r = table.rule_sets[i];
  for (int j = 0; j < i; ++j) {
    const RuleSet& earlier = table.rule_sets[j];
    if (std::strcmp(earlier.from_model, r.from_model) == 0 &&
        std::strcmp(earlier.to_model, r.to_model) == 0)
      return true;
  }
  return false;
}

}  // namespace

void check_library(const CheckedLibrary& lib) {
  check_pairs(lib);
  for (int i = 0; i < lib.table().rule_count; ++i) {
    if (!listed_before(lib.table(), i) && lib.sources.rule_sets[i].file_opened)
      check_rule_file(lib, i);
  }
}
