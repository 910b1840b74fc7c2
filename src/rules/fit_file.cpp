// Reading the fit files beside the rule files.
#include "rules/fit_file.h"

#include <cstdio>
#include <cstring>

#include "io/files.h"
#include "text/scan.h"

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The next token of `p` (blank-separated): its start and length; 0 at the line's end.
int next_token(const char*& p) {
  while (*p && is_blank(*p)) ++p;
  const char* start = p;
  while (*p && !is_blank(*p)) ++p;
  const int n = static_cast<int>(p - start);
  p = start;
  return n;
}

void add_issue(FitIssues& issues, FitProblem problem, int rule, int line, int column,
               const char* token, int length, float low = 0, float high = 0) {
  if (issues.count < kMaxFitIssues) {
    FitIssue& f = issues.items[issues.count];
    f.problem = problem;
    f.rule = rule;
    f.line = line;
    f.column = column;
    std::snprintf(f.text, sizeof f.text, "%.*s", length < 47 ? length : 47, token);
    f.low = low;
    f.high = high;
  }
  ++issues.count;
}

int output_named(const RuleSet& r, const char* name, int length) {
  for (int k = 0; k < r.output_count; ++k) {
    if (static_cast<int>(std::strlen(r.output_names[k])) == length &&
        std::strncmp(r.output_names[k], name, static_cast<std::size_t>(length)) == 0)
      return k;
  }
  return -1;
}

// One line of rule i's fit file.
void read_fit_line(const RuleSet& r, int i, const char* text, int number, FitPlan& plan,
                   FitIssues& issues) {
  const char* p = text;
  int n = next_token(p);
  if (n == 0 || p[0] == '#') return;
  const int column = static_cast<int>(p - text) + 1;
  if (p[0] != '$') return add_issue(issues, FitProblem::not_a_name, i, number, column, p, n);
  const int k = output_named(r, p, n);
  if (k < 0) return add_issue(issues, FitProblem::not_an_output, i, number, column, p, n);
  for (int j = 0; j < plan.count; ++j)
    if (plan.lines[j].output == k)
      return add_issue(issues, FitProblem::repeated, i, number, column, p, n);
  if (plan.count == kMaxFitOutputs)
    return add_issue(issues, FitProblem::too_many, i, number, column, p, n);
  FitLine f{k, r.low_limits[k], r.high_limits[k], number};
  p += n;
  n = next_token(p);
  if (n > 0) {
    const char* low_token = p;
    const int low_column = static_cast<int>(p - text) + 1;
    char low_text[64], high_text[64];
    std::snprintf(low_text, sizeof low_text, "%.*s", n < 63 ? n : 63, p);
    p += n;
    const int m = next_token(p);
    std::snprintf(high_text, sizeof high_text, "%.*s", m < 63 ? m : 63, p);
    float low = 0, high = 0;
    if (m == 0 || !scan_float(low_text, &low) || !scan_float(high_text, &high) ||
        std::strlen(low_text) == 0) {
      return add_issue(issues, FitProblem::bad_bounds, i, number, low_column, low_token,
                       static_cast<int>(p + m - low_token));
    }
    f.low = low;
    f.high = high;
    p += m;
    const int extra = next_token(p);
    if (extra > 0)
      return add_issue(issues, FitProblem::extra_tokens, i, number, static_cast<int>(p - text) + 1,
                       p, extra);
  }
  if (!(f.low < f.high))
    return add_issue(issues, FitProblem::bad_bounds, i, number, column, text + column - 1,
                     static_cast<int>(std::strlen(r.output_names[k])), f.low, f.high);
  plan.lines[plan.count++] = f;
}

}  // namespace

void fit_file_path(const RuleTable& table, int i, char* buf, std::size_t size) {
  const RuleSet& r = table.rule_sets[i];
  std::snprintf(buf, size, "lib/%s-%s.fit", r.from_model, r.to_model);
}

void load_fit_files(const RuleTable& table, FitLibrary& fits, FitIssues& issues, WholeLine& line) {
  issues.count = 0;
  for (int i = 0; i < table.rule_count; ++i) {
    FitPlan& plan = fits.plans[i];
    plan.present = false;
    plan.count = 0;
    char path[64];
    fit_file_path(table, i, path, sizeof path);
    std::FILE* f = open_for_reading(path);
    if (!f) continue;
    plan.present = true;
    int number = 0;
    while (read_whole_line(f, line.text, kWholeLineSize)) {
      ++number;
      read_fit_line(table.rule_sets[i], i, line.text, number, plan, issues);
    }
    std::fclose(f);
  }
}
