// rulecheck --responses: the OLD and NEW responses of every converted record compared
// under the standard test of their kind, counted per rule, written to CSV files and told
// as findings.
#include "rulecheck/responses/responses.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>

#include "records/record_writer.h"
#include "rules/rule_loader.h"
#include "text/format.h"
#include "text/scan.h"

float as_written(float value) {
  char text[kValueTextSize + 16];
  *put_value(text, value) = '\0';
  float read = 0.0f;
  scan_float(text, &read);
  return read;
}

namespace {

std::uint64_t hash_values(int rule, const float* a, int na, const float* b, int nb) {
  std::uint64_t h = 1469598103934665603ull;
  const auto mix = [&h](const void* p, std::size_t n) {
    const auto* bytes = static_cast<const unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
  };
  mix(&rule, sizeof rule);
  mix(&na, sizeof na);
  mix(a, sizeof(float) * static_cast<std::size_t>(na));
  mix(&nb, sizeof nb);
  mix(b, sizeof(float) * static_cast<std::size_t>(nb));
  return h;
}

// The record's place and values as the check keeps them.
struct InHand {
  RowPlace at;
  float old_values[kKeptValues];
  int old_given;
  float new_values[kKeptValues];
  int new_given;
};

// The deviation of an output relative to its tolerance: 1 is the edge of passing.
double relative(const OutputComparison& o, const ResponseOptions& options) {
  if (o.outcome != Outcome::pass && o.outcome != Outcome::fail &&
      o.outcome != Outcome::unstable_new)
    return 0.0;
  const double tolerance =
      std::strcmp(o.output, "phase") == 0 ? options.phase_tolerance : options.tolerance;
  if (std::isnan(o.deviation)) return INFINITY;
  return tolerance > 0 ? o.deviation / tolerance : o.deviation;
}

// Passed, or left by its test to another that judges the pair.
bool judged_well(const OutputComparison& o) {
  return o.outcome == Outcome::pass || o.outcome == Outcome::not_judged;
}

bool is_error(const OutputComparison& o) {
  return o.outcome == Outcome::fail || o.outcome == Outcome::no_start_new ||
         o.outcome == Outcome::unstable_new || (o.outcome == Outcome::invalid_data && o.of_new);
}

// The record's outcome, for the counts: its worst output's. An output one test cannot
// judge leaves the record to the others.
Outcome record_outcome(const Comparison& c) {
  static constexpr Outcome kOrder[] = {
      Outcome::fail,         Outcome::unstable_new,      Outcome::invalid_data,
      Outcome::no_start_new, Outcome::not_representable, Outcome::unstable_old,
      Outcome::no_start_old, Outcome::not_simulated};
  for (const Outcome o : kOrder) {
    for (int i = 0; i < c.count; ++i) {
      if (c.outputs[i].outcome == o) return o;
    }
  }
  return Outcome::pass;
}

void keep_record(KeptRecord& k, const InHand& in, double deviation) {
  k.at = in.at;
  k.deviation = deviation;
  std::memcpy(k.old_values, in.old_values, sizeof k.old_values);
  k.old_given = in.old_given;
  std::memcpy(k.new_values, in.new_values, sizeof k.new_values);
  k.new_given = in.new_given;
}

// The five worst, largest first; a tie keeps the earlier record.
void keep_worst(RuleResponses& r, const InHand& in, double deviation) {
  int at = r.worst_count;
  while (at > 0 && r.worst_records[at - 1].deviation < deviation) --at;
  if (at >= kWorstKept) return;
  const int last = std::min(r.worst_count, kWorstKept - 1);
  for (int i = last; i > at; --i) r.worst_records[i] = r.worst_records[i - 1];
  keep_record(r.worst_records[at], in, deviation);
  if (r.worst_count < kWorstKept) ++r.worst_count;
}

// Every stride-th compared record; when the sample is full, every other one is let go
// and the stride doubles.
void keep_sample(RuleResponses& r, const InHand& in, double deviation) {
  if (r.sample_stride == 0) r.sample_stride = 1;
  if (r.sample_seen++ % r.sample_stride != 0) return;
  if (r.sample_count == kMedianSample) {
    for (int i = 0; i < kMedianSample / 2; ++i) r.sample[i] = r.sample[2 * i];
    r.sample_count = kMedianSample / 2;
    r.sample_stride *= 2;
    if ((r.sample_seen - 1) % r.sample_stride != 0) return;
  }
  keep_record(r.sample[r.sample_count++], in, deviation);
}

// Counts a record by its outcome: passed and failed ones were compared.
void count_outcome(RuleResponses& rr, Outcome outcome) {
  static constexpr int RuleResponses::*kCounts[] = {
      &RuleResponses::passed,   &RuleResponses::failed,        &RuleResponses::no_start,
      &RuleResponses::no_start, &RuleResponses::not_simulated, &RuleResponses::other,
      &RuleResponses::other,    &RuleResponses::passed,        &RuleResponses::other,
      &RuleResponses::failed};
  static_assert(std::size(kCounts) == static_cast<int>(Outcome::unstable_new) + 1);
  ++(rr.*kCounts[static_cast<int>(outcome)]);
  if (outcome == Outcome::pass || outcome == Outcome::fail || outcome == Outcome::unstable_new)
    ++rr.compared;
}

}  // namespace

void add_response_finding(ResponseRun& run, int line, Severity severity, const char* text) {
  if (run.finding_count < kFindingsKept) {
    ResponseFinding& f = run.findings[run.finding_count];
    f.line = line;
    f.severity = severity;
    std::snprintf(f.text, sizeof f.text, "%s", text);
  } else if (severity == Severity::error) {
    ++run.errors_beyond;
  } else {
    ++run.warnings_beyond;
  }
  ++run.finding_count;
}

namespace {

// "pm FAIL: deviation ..." for each output that did not pass, once for outputs of one test
// that share an outcome and reason: "isolated unit pm, dw FAIL: ...".
void describe(const Comparison& c, char* out, std::size_t size) {
  std::size_t used = 0;
  const auto same = [&c](int a, int b) {
    const OutputComparison& x = c.outputs[a];
    const OutputComparison& y = c.outputs[b];
    return x.test == y.test && x.outcome == y.outcome && std::strcmp(x.reason, y.reason) == 0;
  };
  // Every output alike (a record that no test could start): their names once each.
  bool alike = c.count > 1;
  for (int i = 1; i < c.count; ++i)
    alike = alike && c.outputs[i].outcome == c.outputs[0].outcome &&
            std::strcmp(c.outputs[i].reason, c.outputs[0].reason) == 0;
  if (alike && !judged_well(c.outputs[0])) {
    for (int i = 0; i < c.count; ++i) {
      bool seen = false;
      for (int j = 0; j < i; ++j)
        seen = seen || std::strcmp(c.outputs[j].output, c.outputs[i].output) == 0;
      if (seen) continue;
      const int n =
          std::snprintf(out + used, size - used, "%s%s", used ? ", " : "", c.outputs[i].output);
      if (n < 0 || used + static_cast<std::size_t>(n) >= size) break;
      used += static_cast<std::size_t>(n);
    }
    std::snprintf(out + used, size - used, " %s: %s", outcome_name(c.outputs[0].outcome),
                  c.outputs[0].reason);
    return;
  }
  for (int i = 0; i < c.count; ++i) {
    const OutputComparison& o = c.outputs[i];
    if (judged_well(o)) continue;
    if (i > 0 && same(i, i - 1)) continue;
    char label[64];
    output_label(c, i, label, sizeof label);
    const bool shared = i + 1 < c.count && same(i, i + 1);
    const int n = std::snprintf(out + used, size - used, "%s%s%s%s %s: %s", used ? "; " : "", label,
                                shared ? ", " : "", shared ? c.outputs[i + 1].output : "",
                                outcome_name(o.outcome), o.reason);
    if (n < 0 || used + static_cast<std::size_t>(n) >= size) break;
    used += static_cast<std::size_t>(n);
  }
  if (used == 0 && size > 0) out[0] = '\0';
}

void report_record(ResponseRun& run, const RuleSet& r, const InHand& in, const Comparison& c) {
  bool error = false;
  bool passed = true;
  for (int i = 0; i < c.count; ++i) {
    error = error || is_error(c.outputs[i]);
    passed = passed && judged_well(c.outputs[i]);
  }
  if (passed && !c.mapping_finding) return;
  char what[2 * kReasonSize + 64];
  describe(c, what, sizeof what);
  char text[sizeof(ResponseFinding::text)];
  if (passed) {
    std::snprintf(text, sizeof text, "[%s] -> [%s], bus %d unit \"%s\": passes, but %s",
                  r.from_model, r.to_model, in.at.bus, in.at.place.unit_id, c.notes.text);
  } else {
    std::snprintf(text, sizeof text, "[%s] -> [%s], bus %d unit \"%s\": %s", r.from_model,
                  r.to_model, in.at.bus, in.at.place.unit_id, what);
  }
  add_response_finding(run, in.at.line, error ? Severity::error : Severity::warning, text);
}

void list_not_passed(RuleResponses& rr, const InHand& in, const Comparison& c) {
  const Outcome outcome = record_outcome(c);
  if (outcome == Outcome::pass) return;
  if (rr.not_passed_count++ >= kNotPassedKept) return;
  NotPassed& n = rr.not_passed[rr.not_passed_count - 1];
  n.line = in.at.line;
  n.bus = in.at.bus;
  std::memcpy(n.unit_id, in.at.place.unit_id, sizeof n.unit_id);
  n.outcome = outcome;
  n.outputs[0] = '\0';
  for (int i = 0; i < c.count; ++i) {
    if (judged_well(c.outputs[i])) continue;
    char label[64];
    output_label(c, i, label, sizeof label);
    std::snprintf(n.outputs + std::strlen(n.outputs), sizeof n.outputs - std::strlen(n.outputs),
                  "%s%s", n.outputs[0] ? ", " : "", label);
  }
  char reason[2 * kReasonSize + 64];
  describe(c, reason, sizeof reason);
  set_reason(n.reason, reason);
}

// The comparison of the record, from the table of those made before when its values are
// there (and no CSV file needs its responses).
const Comparison& compared(ResponseRun& run, int rule, const RuleResponses& rr, const InHand& in,
                           Comparison& fresh) {
  const bool cached = !run.options.csv_folder;
  CachedComparison* slot = nullptr;
  if (cached) {
    slot = &run.cache[hash_values(rule, in.old_values, in.old_given, in.new_values, in.new_given) %
                      kCacheSize];
    if (slot->used && slot->rule == rule && slot->old_given == in.old_given &&
        slot->new_given == in.new_given &&
        std::memcmp(slot->old_values, in.old_values, sizeof(float) * in.old_given) == 0 &&
        std::memcmp(slot->new_values, in.new_values, sizeof(float) * in.new_given) == 0) {
      ++run.cache_hits;
      return slot->result;
    }
  }
  compare_records(RecordValues{rr.from, in.old_values, in.old_given},
                  RecordValues{rr.to, in.new_values, in.new_given},
                  ComparisonOptions{run.options.tolerance, run.options.phase_tolerance}, fresh,
                  run.trajectories);
  if (!slot) return fresh;
  slot->used = true;
  slot->rule = rule;
  slot->old_given = in.old_given;
  slot->new_given = in.new_given;
  std::memcpy(slot->old_values, in.old_values, sizeof slot->old_values);
  std::memcpy(slot->new_values, in.new_values, sizeof slot->new_values);
  slot->result = fresh;
  return slot->result;
}

}  // namespace

namespace {

// Why the records of a rule are not simulated, or empty when they are.
void why_not_simulated(const RuleSet& r, const RuleResponses& rr, char* why, std::size_t size) {
  why[0] = '\0';
  if (!rr.from || !rr.to) {
    std::snprintf(why, size, "%s is not in the model catalogue",
                  !rr.from ? r.from_model : r.to_model);
    return;
  }
  const bool from = simulated_kind(*rr.from) != SimulatedKind::none;
  const bool to = simulated_kind(*rr.to) != SimulatedKind::none;
  if (!from && !to) {
    std::snprintf(why, size, "%s and %s have no simulation", rr.from->name, rr.to->name);
  } else if (!from || !to) {
    std::snprintf(why, size, "%s has no simulation", (!from ? rr.from : rr.to)->name);
  } else if (rr.from->kind != rr.to->kind) {
    std::snprintf(why, size, "%s is a %s, %s a %s: no test compares them", rr.from->name,
                  kind_name(rr.from->kind), rr.to->name, kind_name(rr.to->kind));
  }
}

void start_rule(RuleResponses& r, const RuleSet& set) {
  std::memset(&r, 0, offsetof(RuleResponses, worst_records));
  r.worst_count = r.sample_count = r.sample_stride = r.sample_seen = r.not_passed_count = 0;
  r.from = find_model(set.from_model);
  r.to = find_model(set.to_model);
  why_not_simulated(set, r, r.not_simulated_why, sizeof r.not_simulated_why);
  r.simulated = r.not_simulated_why[0] == '\0';
  r.worst = -1.0;
}

}  // namespace

bool start_responses(ResponseRun& run, const RuleTable& table, const ResponseOptions& options,
                     const char* data_file, Findings& findings) {
  run.options = options;
  run.data_file = data_file;
  run.table = &table;
  run.finding_count = run.errors_beyond = run.warnings_beyond = run.cache_hits = 0;
  run.plotted_rules = run.unplotted_rules = 0;
  run.files.folder = nullptr;
  run.fitted_line = -1;
  run.rule_values = nullptr;
  for (CachedComparison& c : run.cache) c.used = false;
  for (int i = 0; i < table.rule_count; ++i) start_rule(run.rules[i], table.rule_sets[i]);
  if (!options.csv_folder) return true;
  if (!open_response_files(run.files, options.csv_folder)) {
    run.files.folder = nullptr;
    report(findings, Severity::error, SourcePoint{options.csv_folder, 0, 0},
           "cannot write the CSV files there");
    return false;
  }
  return true;
}

void check_response(ResponseRun& run, const ConvertedRecord& record) {
  RuleResponses& rr = run.rules[record.rule];
  const RuleSet& r = run.table->rule_sets[record.rule];
  ++rr.records;
  InHand in;
  in.at = RowPlace{record.line, record.bus_number, record.conversion.place};
  if (record.conversion.failed) {
    // modelconv writes it as failed: there is no NEW record to compare.
    ++rr.conversion_failed;
    write_summary_row(run.files, in.at, r, nullptr, "CONVERSION_FAILED",
                      "an output ends below -99998 or is no number: the record is written as "
                      "failed, with no NEW to compare");
    return;
  }
  if (!rr.simulated) {
    ++rr.not_simulated;
    write_summary_row(run.files, in.at, r, nullptr, "NOT_SIMULATED", rr.not_simulated_why);
    return;
  }
  // OLD as read: the values its model has; NEW as the converted record writes them.
  in.old_given = std::min({record.parsed.values_given, rr.from->count, kKeptValues});
  std::memset(in.old_values, 0, sizeof in.old_values);
  std::memcpy(in.old_values, record.parsed.values.values, sizeof(float) * in.old_given);
  in.new_given = std::min({static_cast<int>(r.output_count), rr.to->count, kKeptValues});
  std::memset(in.new_values, 0, sizeof in.new_values);
  for (int k = 0; k < in.new_given; ++k)
    in.new_values[k] = as_written(record.conversion.outputs[k]);

  Comparison fresh;
  const Comparison& c = compared(run, record.rule, rr, in, fresh);
  const Outcome outcome = record_outcome(c);
  count_outcome(rr, outcome);
  double worst = 0.0;
  int worst_output = 0;
  for (int i = 0; i < c.count; ++i) {
    const double d = relative(c.outputs[i], run.options);
    if (d > worst) {
      worst = d;
      worst_output = i;
    }
  }
  if (outcome == Outcome::pass || outcome == Outcome::fail || outcome == Outcome::unstable_new) {
    if (worst > rr.worst) {
      rr.worst = worst;
      rr.worst_line = in.at.line;
      output_label(c, worst_output, rr.worst_output, sizeof rr.worst_output);
      rr.worst_deviation = c.outputs[worst_output].deviation;
    }
    keep_worst(rr, in, worst);
    keep_sample(rr, in, worst);
  }
  report_record(run, r, in, c);
  list_not_passed(rr, in, c);
  write_summary_rows(run.files, in.at, r, c);
  const bool fitted = run.rule_values && run.fitted_line == in.at.line;
  write_record_files(run.files, in.at.line, c, run.trajectories,
                     fitted ? run.rule_values : nullptr);
}

void remember_comparison(ResponseRun& run, int rule, const float* old_values, int old_given,
                         const float* new_values, int new_given, const Comparison& c) {
  if (run.options.csv_folder) return;  // the files need the responses themselves
  CachedComparison& slot =
      run.cache[hash_values(rule, old_values, old_given, new_values, new_given) % kCacheSize];
  slot.used = true;
  slot.rule = rule;
  slot.old_given = old_given;
  slot.new_given = new_given;
  std::memset(slot.old_values, 0, sizeof slot.old_values);
  std::memset(slot.new_values, 0, sizeof slot.new_values);
  std::memcpy(slot.old_values, old_values, sizeof(float) * static_cast<std::size_t>(old_given));
  std::memcpy(slot.new_values, new_values, sizeof(float) * static_cast<std::size_t>(new_given));
  slot.result = c;
}

bool kind_in_use(const ResponseRun& run, ModelKind kind) {
  for (int i = 0; i < run.table->rule_count; ++i) {
    const RuleResponses& rr = run.rules[i];
    if (rr.simulated && rr.from->kind == kind) return true;
  }
  return false;
}

bool choice_in_use(const ResponseRun& run, const Choice& choice) {
  if (!choice.model) return kind_in_use(run, choice.kind);
  for (int i = 0; i < run.table->rule_count; ++i) {
    const RuleResponses& rr = run.rules[i];
    if (rr.simulated && (std::strcmp(rr.from->name, choice.model) == 0 ||
                         std::strcmp(rr.to->name, choice.model) == 0))
      return true;
  }
  return false;
}

namespace {

// The tests and the choices of the kinds the rules convert, one line each.
void write_test_lines(const ResponseRun& run, std::FILE* out) {
  char line[512];
  describe_numerics(line, sizeof line, run.options.tolerance * 100, run.options.phase_tolerance);
  std::fprintf(out, "Responses, %s:\n", line);
  bool any = false;
  for (const StandardTest& test : kStandardTests) {
    if (!kind_in_use(run, test.kind)) continue;
    describe_test(test, line, sizeof line);
    std::fprintf(out, "  %s\n", line);
    any = true;
  }
  if (!any) std::fprintf(out, "  no rule converts between two simulated models of one kind\n");
  bool first = true;
  for (int i = 0; i < kChoiceCount; ++i) {
    if (!choice_in_use(run, kChoices[i])) continue;
    if (first)
      std::fprintf(out,
                   "Choices where the models' sources leave them open, the same for OLD and NEW "
                   "and none confirmed for every program:\n");
    first = false;
    std::fprintf(out, "  - %s\n", kChoices[i].text);
  }
}

void write_rule_line(const RuleSet& r, const RuleResponses& rr, int i, std::FILE* out) {
  std::fprintf(out,
               "%2d [%-16.16s] [%-16.16s] compared %5d   pass %5d   fail %5d   no start %5d   "
               "not simulated %5d",
               i, r.from_model, r.to_model, rr.compared, rr.passed, rr.failed, rr.no_start,
               rr.not_simulated);
  if (rr.other > 0) std::fprintf(out, "   other %5d", rr.other);
  if (rr.conversion_failed > 0) std::fprintf(out, "   conversion failed %5d", rr.conversion_failed);
  if (rr.worst >= 0) {
    std::fprintf(out, "   worst %s %.3g%s (line %d)", rr.worst_output, rr.worst_deviation,
                 std::strcmp(rr.worst_output, "phase") == 0 ? " deg" : "", rr.worst_line);
  }
  std::fputc('\n', out);
}

}  // namespace

bool finish_responses(ResponseRun& run, Findings& findings,
                      void (*more)(const void* context, std::FILE* out), const void* context) {
  std::FILE* out = findings.out;
  write_test_lines(run, out);
  const RuleTable& table = *run.table;
  for (int i = 0; i < table.rule_count; ++i)
    write_rule_line(table.rule_sets[i], run.rules[i], i, out);
  if (more) more(context, out);
  // A rule whose records are not simulated is told once, at the rule: its records are
  // counted, but nothing checks them.
  for (int i = 0; i < table.rule_count; ++i) {
    const RuleResponses& rr = run.rules[i];
    if (rr.simulated || rr.not_simulated == 0) continue;
    char rule_file[kRulePathSize];
    rule_file_path(table, i, rule_file, sizeof rule_file);
    report(findings, Severity::warning, SourcePoint{rule_file, 0, 0},
           "%d record%s not simulated: %s", rr.not_simulated, rr.not_simulated == 1 ? "" : "s",
           rr.not_simulated_why);
  }
  const int kept = std::min(run.finding_count, kFindingsKept);
  for (int n = 0; n < kept; ++n) {
    const ResponseFinding& f = run.findings[n];
    report(findings, f.severity, SourcePoint{run.data_file, f.line, 0}, "%s", f.text);
  }
  if (run.errors_beyond > 0)
    report(findings, Severity::error, SourcePoint{run.data_file, 0, 0},
           "%d more records fail their response check", run.errors_beyond);
  if (run.warnings_beyond > 0)
    report(findings, Severity::warning, SourcePoint{run.data_file, 0, 0},
           "%d more records have a response warning", run.warnings_beyond);
  const bool ok = close_response_files(run.files);
  if (!ok)
    report(findings, Severity::error, SourcePoint{run.options.csv_folder, 0, 0},
           "a CSV file could not be written whole");
  return ok;
}

void abandon_responses(ResponseRun& run) { discard_response_files(run.files); }

const KeptRecord* plotted_record(const RuleResponses& rule, int n) {
  if (n < kWorstKept) return n < rule.worst_count ? &rule.worst_records[n] : nullptr;
  if (rule.sample_count == 0) return nullptr;
  // The median of the sample: the middle one by deviation (ties: the earlier record).
  int order[kMedianSample];
  for (int i = 0; i < rule.sample_count; ++i) order[i] = i;
  std::stable_sort(order, order + rule.sample_count, [&](int a, int b) {
    return rule.sample[a].deviation < rule.sample[b].deviation;
  });
  return &rule.sample[order[(rule.sample_count - 1) / 2]];
}

void make_response_plots(ResponseRun& run) {
  run.plotted_rules = run.unplotted_rules = 0;
  for (int i = 0; i < run.table->rule_count; ++i) {
    const RuleResponses& rr = run.rules[i];
    if (!rr.simulated || rr.worst_count == 0) continue;
    if (run.plotted_rules == kPlottedRules) {
      ++run.unplotted_rules;
      continue;
    }
    RulePlots& plots = run.plots[run.plotted_rules++];
    plots.rule = i;
    plots.count = 0;
    for (int n = 0; n <= kWorstKept; ++n) {
      const KeptRecord* k = plotted_record(rr, n);
      bool shown = false;  // the median may be one of the worst
      for (int p = 0; k && p < plots.count; ++p)
        shown = shown || plots.plots[p].record->at.line == k->at.line;
      if (!k || shown) continue;
      Comparison c;
      compare_records(RecordValues{rr.from, k->old_values, k->old_given},
                      RecordValues{rr.to, k->new_values, k->new_given},
                      ComparisonOptions{run.options.tolerance, run.options.phase_tolerance}, c,
                      run.trajectories, &run.full);
      RecordPlot& plot = plots.plots[plots.count++];
      plot.record = k;
      plot.title = n;
      make_plot(plot, c, run.trajectories, run.full);
    }
  }
}

const RulePlots* plots_of(const ResponseRun& run, int rule) {
  for (int i = 0; i < run.plotted_rules; ++i) {
    if (run.plots[i].rule == rule) return &run.plots[i];
  }
  return nullptr;
}
