// Checking a loaded rule library without any data file: every pair, parameter and
// expression, then a dry run of each RuleSet on the input values its rule file gives.
#include "rulecheck/library_check.h"

#include <cmath>
#include <cstring>

#include "convert/convert_record.h"
#include "io/console.h"
#include "rulecheck/expression_check.h"
#include "rulecheck/findings.h"
#include "rules/compiled_rules.h"
#include "rules/rule_loader.h"
#include "rules/rule_sources.h"
#include "rules/rule_table.h"
#include "text/format.h"

namespace {

constexpr const char* kSelectionFile = "rule.txt";

bool starts_with(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

int kept_failures() {
  return load_failure_count < kMaxLoadFailures ? load_failure_count : kMaxLoadFailures;
}

void report_load_failure(const LoadFailure& f) {
  switch (f.problem) {
    case LoadProblem::missing_selection_file:
      report(Severity::error, SourcePoint{f.file, 0, 0}, "cannot open the rule selection file");
      break;
    case LoadProblem::missing_rule_file:
      report(Severity::error, SourcePoint{kSelectionFile, f.line, f.column},
             "cannot open the rule file [%s]", f.file);
      break;
    case LoadProblem::limit_exceeded:
      report(Severity::error, SourcePoint{f.file, f.line, f.column},
             "rule library limit exceeded: %s", f.what);
      break;
  }
}

// Load failures in `file` (missing rule files count as failures of "rule.txt").
void report_load_failures_of(const char* file) {
  for (int f = 0; f < kept_failures(); ++f) {
    const LoadFailure& failure = load_failures[f];
    const bool in_selection = failure.problem != LoadProblem::limit_exceeded;
    if (in_selection ? std::strcmp(file, kSelectionFile) == 0
                     : std::strcmp(failure.file, file) == 0)
      report_load_failure(failure);
  }
}

// "rule.txt": pairs whose from-model an earlier pair already has.
void check_pairs() {
  for (int i = 0; i < rule_table.rule_count; ++i) {
    const RuleSet& r = rule_table.rule_sets[i];
    for (int j = 0; j < i; ++j) {
      if (std::strcmp(rule_table.rule_sets[j].from_model, r.from_model) != 0) continue;
      report(Severity::warning,
             SourcePoint{kSelectionFile, rule_sources[i].pair_line, rule_sources[i].from_column},
             "from-model [%s] is already converted by the pair on line %d: this pair is never used",
             r.from_model, rule_sources[j].pair_line);
      break;
    }
  }
  report_load_failures_of(kSelectionFile);
}

void check_inputs(int i, const char* file) {
  const RuleSet& r = rule_table.rule_sets[i];
  const RuleSource& s = rule_sources[i];
  for (int k = 0; k < r.input_count; ++k) {
    const SourcePoint at{file, s.input_lines[k], s.input_columns[k]};
    const char* name = r.input_names[k];
    if (starts_with(name, "@end")) {
      report(
          Severity::warning, at,
          "indented [%s] does not end the input section: \"@end\" must stand in the first column; "
          "every line after it is read as an input parameter",
          name);
      return;  // what follows is only the consequence
    }
    if (name[0] == '\0') {
      report(Severity::warning, at,
             "a line without tokens is input parameter %d: every record value after it feeds the "
             "next parameter",
             k + 1);
    } else if (name[0] != '@') {
      report(Severity::warning, at,
             "input name [%s] does not begin with \"@\": no expression can read it", name);
    } else {
      for (int j = 0; j < k; ++j) {
        if (std::strcmp(r.input_names[j], name) != 0) continue;
        report(Severity::warning, at,
               "input [%s] is given twice: only the first, on line %d, is ever found", name,
               s.input_lines[j]);
        break;
      }
    }
  }
  if (s.file_read && s.input_end_line == 0)
    report(Severity::warning, SourcePoint{file, 0, 0},
           "no \"@end\" line: every line of the file is read as an input parameter");
}

// True when the program computes from numbers alone (and assigns at most its output).
bool is_constant(const Program& p) {
  const Instruction* code = rule_instructions + p.first;
  for (int n = 0; n < p.count; n += slots_of(code[n])) {
    const Op op = code[n].op;
    if (op != Op::push && op != Op::negate && !is_binary(op) && op != Op::store_output)
      return false;
  }
  return p.stores;
}

// The static findings of output parameter k's line, in the order of its tokens.
void check_output_line(int i, int k, const char* file, bool* assigned_by_now,
                       const bool* assigned_in_all) {
  const RuleSet& r = rule_table.rule_sets[i];
  const OutputSource& s = rule_sources[i].outputs[k];
  const CompiledRuleSet& c = compiled_rules[i];
  const char* name = r.output_names[k];
  const SourcePoint line{file, s.line, 0};
  auto token = [&](OutputToken t) { return SourcePoint{file, s.line, s.column[t]}; };

  if (r.expressions[k][0] == '\0') {
    report(Severity::warning, line,
           "a line without tokens is output parameter %d: it writes the value 0", k + 1);
    return;
  }
  if (starts_with(r.expressions[k], "$end")) {
    report(Severity::warning, token(kAssignmentToken),
           "indented [%s] does not end the output section: \"$end\" must stand in the first column",
           r.expressions[k]);
    return;
  }
  if (!std::strchr(r.expressions[k], '=')) {
    report(Severity::error, token(kAssignmentToken), "output line without \"=\" [%s]",
           r.expressions[k]);
  } else {
    for (int j = 0; j < k; ++j) {
      if (std::strcmp(r.output_names[j], name) != 0) continue;
      report(Severity::warning, token(kAssignmentToken),
             "output [%s] is given twice: only the first, on line %d, is ever found", name,
             rule_sources[i].outputs[j].line);
      break;
    }
    check_expression(
        c.assignments[k],
        ExpressionSite{r.expressions[k], token(kAssignmentToken), i, k, ExpressionRole::assignment},
        assigned_by_now);
  }
  if (r.low_limits[k] > r.high_limits[k]) {
    char low[kMaxFloatText + 1];
    char high[kMaxFloatText + 1];
    put_shortest(low, r.low_limits[k]);
    put_shortest(high, r.high_limits[k]);
    report(Severity::warning, token(kLowToken), "low limit [%s] above high limit [%s]", low, high);
  }

  // Tests and replacements run after every assignment of the record.
  bool assigned[kMaxParameters];
  std::memcpy(assigned, assigned_in_all, sizeof assigned);
  if (r.test_expressions[k][0] == '\0') {
    // A constant needs no test: it has the same value in every record.
    if (!is_constant(c.assignments[k]))
      report(Severity::warning, line, "no test expression for [%s]: its value is never checked",
             name);
  } else {
    check_expression(
        c.tests[k],
        ExpressionSite{r.test_expressions[k], token(kTestToken), i, k, ExpressionRole::test},
        assigned);
  }
  const char* replace = r.replace_expressions[k];
  if (std::strcmp(replace, "NULL") != 0 && starts_with(replace, "NULL")) {
    report(Severity::warning, token(kReplaceToken),
           "replace expression [%s] begins with \"NULL\": it is never evaluated, the value is kept",
           replace);
  } else if (!starts_with(replace, "NULL")) {
    check_expression(
        c.replaces[k],
        ExpressionSite{replace, token(kReplaceToken), i, k, ExpressionRole::replacement}, assigned);
  }
}

// The RuleSet converted once from its rule file's input values and the mid values of
// its limits, as the first record of a run would be; the table is left as it was.
ConversionResult dry_run(int i, float* outputs) {
  static RuleSet saved;
  RuleSet& r = rule_table.rule_sets[i];
  std::memcpy(&saved, &r, sizeof saved);
  static char text[kRecordSize];
  std::snprintf(text, sizeof text, "%s 0 \"\" 0 \"  \" :\n", r.from_model);
  const int colon = static_cast<int>(std::strchr(text, ':') - text) + 1;
  static ParameterValues values;
  std::FILE* previous = console;
  console = nullptr;
  const int previous_rule = rule_table.current_rule;
  rule_table.current_rule = i;
  const ConversionResult result = convert_record(
      text, values, colon, ConvertStreams{nullptr, nullptr, false, BusNameForm::token});
  rule_table.current_rule = previous_rule;
  console = previous;
  std::memcpy(&r, &saved, sizeof saved);
  std::memcpy(outputs, values.values, sizeof(float) * kMaxParameters);
  return result;
}

void report_dry_run(int i, int k, const char* file, const ConversionResult& result,
                    const float* outputs) {
  const RuleSet& r = rule_table.rule_sets[i];
  const SourcePoint at{file, rule_sources[i].outputs[k].line,
                       rule_sources[i].outputs[k].column[kAssignmentToken]};
  char v[kMaxFloatText + 1];
  put_shortest(v, outputs[k]);
  if (result.marks[k] == '*')
    report(Severity::warning, at,
           "dry run on the rule file's input values: [%s] fails its test [%s] and is kept at %s",
           r.output_names[k], r.test_expressions[k], v);
  if (result.marks[k] == '#')
    report(
        Severity::warning, at,
        "dry run on the rule file's input values: [%s] fails its test [%s] and is replaced by %s",
        r.output_names[k], r.test_expressions[k], v);
  if (outputs[k] < kFailureThreshold || std::isnan(outputs[k]))
    report(Severity::warning, at,
           "dry run on the rule file's input values: [%s] ends at %s, below -99998: the record "
           "would fail",
           r.output_names[k], v);
}

void check_rule_file(int i) {
  char file[kRulePathSize];
  rule_file_path(i, file, sizeof file);
  const RuleSet& r = rule_table.rule_sets[i];
  check_inputs(i, file);

  // What the assignments of a record assign, in order, and in all.
  bool assigned_by_now[kMaxParameters] = {};
  bool assigned_in_all[kMaxParameters] = {};
  for (int k = 0; k < r.output_count; ++k) {
    const Program& p = compiled_rules[i].assignments[k];
    if (p.stores) assigned_in_all[k] = true;
    const Instruction* code = rule_instructions + p.first;
    for (int n = 0; n < p.count; n += slots_of(code[n]))
      if (code[n].op == Op::store_output) assigned_in_all[code[n].slot] = true;
  }

  float outputs[kMaxParameters];
  const ConversionResult result = dry_run(i, outputs);
  for (int k = 0; k < r.output_count; ++k) {
    check_output_line(i, k, file, assigned_by_now, assigned_in_all);
    report_dry_run(i, k, file, result, outputs);
  }
  report_load_failures_of(file);
}

}  // namespace

void check_library() {
  check_pairs();
  for (int i = 0; i < rule_table.rule_count; ++i) {
    // A pair listed twice names one file: its findings are given once.
    bool seen = false;
    for (int j = 0; j < i && !seen; ++j) {
      seen = std::strcmp(rule_table.rule_sets[j].from_model, rule_table.rule_sets[i].from_model) ==
                 0 &&
             std::strcmp(rule_table.rule_sets[j].to_model, rule_table.rule_sets[i].to_model) == 0;
    }
    if (!seen && rule_sources[i].file_opened) check_rule_file(i);
  }
}
