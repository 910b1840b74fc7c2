// rulecheck --responses: the OLD and NEW responses of every converted record compared
// under the standard test of their kind, counted per rule, written to CSV files and told
// as findings.
#include "rulecheck/responses/responses.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "records/header_parse.h"
#include "records/record_writer.h"
#include "text/format.h"
#include "text/scan.h"

#ifdef _WIN32
#include <direct.h>
#endif

const char* const kResponseChoices[kResponseChoiceCount] = {
    "a unit whose OLD limits do not hold 0.8 pu does not start",
    "hygov's velocity limit acts on its integral part",
    "deadbands, valve curves and gast's extras are not simulated",
    "ieeest has 18 values",
    "input codes are numbered alike in ieeest and pss1a",
    "the rate feedback of exst1 and esst1a is taken before the output limit",
    "vamax = vamin = 0 is no limit",
    "ieeet1's ke = 0 is the ke that starts vr at 0",
    "saturation is quadratic",
};

namespace {

// A value as the converted record writes it, read back: what a simulator of the new file
// reads.
float as_written(float value) {
  char text[kValueTextSize + 16];
  *put_value(text, value) = '\0';
  float read = 0.0f;
  scan_float(text, &read);
  return read;
}

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
  int line;
  int bus;
  char bus_name[32];
  char unit_id[3];
  float kv;
  float old_values[kKeptValues];
  int old_given;
  float new_values[kKeptValues];
  int new_given;
};

void read_header(const ConvertedRecord& record, InHand& in) {
  char header[kMaxHeaderLength + 1];
  std::snprintf(header, sizeof header, "%.*s", record.conversion.header_end, record.text);
  RecordHeader h;
  parse_record_place(header, record.bus_number, h, in.bus_name, sizeof in.bus_name);
  in.line = record.line;
  in.bus = h.bus_number;
  in.kv = h.base_kv;
  std::memcpy(in.unit_id, h.unit_id, 2);
  in.unit_id[2] = '\0';
}

// The deviation of an output relative to its tolerance: 1 is the edge of passing.
double relative(const OutputComparison& o, const ResponseOptions& options) {
  if (o.outcome != Outcome::pass && o.outcome != Outcome::fail) return 0.0;
  const double tolerance =
      std::strcmp(o.output, "phase") == 0 ? options.phase_tolerance : options.tolerance;
  if (std::isnan(o.deviation)) return INFINITY;
  return tolerance > 0 ? o.deviation / tolerance : o.deviation;
}

bool is_error(const OutputComparison& o) {
  return o.outcome == Outcome::fail || o.outcome == Outcome::no_start_new ||
         (o.outcome == Outcome::invalid_data && o.of_new);
}

// The record's outcome, for the counts: its worst output's.
Outcome record_outcome(const Comparison& c) {
  static constexpr Outcome kOrder[] = {Outcome::fail,         Outcome::invalid_data,
                                       Outcome::no_start_new, Outcome::not_representable,
                                       Outcome::no_start_old, Outcome::not_simulated};
  for (const Outcome o : kOrder) {
    for (int i = 0; i < c.count; ++i) {
      if (c.outputs[i].outcome == o) return o;
    }
  }
  return Outcome::pass;
}

void keep_record(KeptRecord& k, const InHand& in, double deviation) {
  k.line = in.line;
  k.bus = in.bus;
  std::memcpy(k.bus_name, in.bus_name, sizeof k.bus_name);
  std::memcpy(k.unit_id, in.unit_id, sizeof k.unit_id);
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
      &RuleResponses::passed,        &RuleResponses::failed, &RuleResponses::no_start,
      &RuleResponses::no_start,      &RuleResponses::not_simulated,
      &RuleResponses::other,         &RuleResponses::other};
  ++(rr.*kCounts[static_cast<int>(outcome)]);
  if (outcome == Outcome::pass || outcome == Outcome::fail) ++rr.compared;
}

void add_finding(ResponseRun& run, int line, Severity severity, const char* text) {
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

// "pm FAIL: deviation ..." for each output that did not pass, once for outputs that
// share an outcome and reason.
void describe(const Comparison& c, char* out, std::size_t size) {
  std::size_t used = 0;
  for (int i = 0; i < c.count; ++i) {
    const OutputComparison& o = c.outputs[i];
    if (o.outcome == Outcome::pass) continue;
    if (i > 0 && o.outcome == c.outputs[i - 1].outcome &&
        std::strcmp(o.reason, c.outputs[i - 1].reason) == 0)
      continue;
    const bool shared = i + 1 < c.count && c.outputs[i + 1].outcome == o.outcome &&
                        std::strcmp(c.outputs[i + 1].reason, o.reason) == 0;
    const int n = std::snprintf(out + used, size - used, "%s%s%s%s %s: %s", used ? "; " : "",
                                o.output, shared ? ", " : "", shared ? c.outputs[i + 1].output : "",
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
    passed = passed && c.outputs[i].outcome == Outcome::pass;
  }
  if (passed && !c.mapping_finding) return;
  char what[2 * kReasonSize + 64];
  describe(c, what, sizeof what);
  char text[sizeof(ResponseFinding::text)];
  if (passed) {
    std::snprintf(text, sizeof text, "[%s] -> [%s], bus %d unit \"%s\": passes, but %s",
                  r.from_model, r.to_model, in.bus, in.unit_id, c.notes.text);
  } else {
    std::snprintf(text, sizeof text, "[%s] -> [%s], bus %d unit \"%s\": %s", r.from_model,
                  r.to_model, in.bus, in.unit_id, what);
  }
  add_finding(run, in.line, error ? Severity::error : Severity::warning, text);
}

void list_not_passed(RuleResponses& rr, const InHand& in, const Comparison& c) {
  const Outcome outcome = record_outcome(c);
  if (outcome == Outcome::pass) return;
  if (rr.not_passed_count++ >= kNotPassedKept) return;
  NotPassed& n = rr.not_passed[rr.not_passed_count - 1];
  n.line = in.line;
  n.bus = in.bus;
  std::memcpy(n.unit_id, in.unit_id, sizeof n.unit_id);
  n.outcome = outcome;
  n.outputs[0] = '\0';
  for (int i = 0; i < c.count; ++i) {
    if (c.outputs[i].outcome == Outcome::pass) continue;
    std::snprintf(n.outputs + std::strlen(n.outputs), sizeof n.outputs - std::strlen(n.outputs),
                  "%s%s", n.outputs[0] ? ", " : "", c.outputs[i].output);
  }
  char reason[2 * kReasonSize + 64];
  describe(c, reason, sizeof reason);
  set_reason(n.reason, reason);
}

// A text field of a CSV file: quoted, with its quotes doubled, when it needs to be.
void csv_text(std::FILE* f, const char* text) {
  if (!std::strpbrk(text, ",\"\n\r")) {
    std::fputs(text, f);
    return;
  }
  std::fputc('"', f);
  for (const char* p = text; *p; ++p) {
    if (*p == '"') std::fputc('"', f);
    std::fputc(*p, f);
  }
  std::fputc('"', f);
}

void csv_summary_rows(ResponseRun& run, const RuleSet& r, const InHand& in, const Comparison& c) {
  std::FILE* f = run.summary;
  if (!f) return;
  char kv[kMaxFloatText + 1];
  put_shortest(kv, in.kv);
  for (int i = 0; i < c.count; ++i) {
    const OutputComparison& o = c.outputs[i];
    std::fprintf(f, "%d,%d,", in.line, in.bus);
    csv_text(f, in.bus_name);
    std::fprintf(f, ",%s,", kv);
    csv_text(f, in.unit_id);
    std::fputc(',', f);
    csv_text(f, r.from_model);
    std::fputc(',', f);
    csv_text(f, r.to_model);
    std::fprintf(f, ",%s,%s,%.9g,%.9g,", o.output, outcome_name(o.outcome), o.deviation, o.at);
    char reason[kReasonSize + kNotesSize + 4];
    std::snprintf(reason, sizeof reason, "%s%s%s", o.reason,
                  o.reason[0] && c.notes.text[0] ? "; " : "", c.notes.text);
    csv_text(f, reason);
    std::fputc('\n', f);
  }
}

bool csv_file(const ResponseRun& run, int line, const char* what, std::FILE** f) {
  char path[4096];
  std::snprintf(path, sizeof path, "%s/L%d-%s.csv", run.options.csv_folder, line, what);
  *f = std::fopen(path, "wb");
  return *f != nullptr;
}

// The record's own files: OLD and NEW every 1/120 s, or gain and phase per frequency.
void csv_record_files(ResponseRun& run, const InHand& in, const Comparison& c) {
  const Trajectories& t = run.trajectories;
  if (c.kind == SimulatedKind::stabilizer) {
    if (c.outputs[0].outcome != Outcome::pass && c.outputs[0].outcome != Outcome::fail) return;
    std::FILE* f;
    if (!csv_file(run, in.line, "bode", &f)) {
      run.csv_failed = true;
      return;
    }
    std::fputs("f_hz,gain_old,phase_old_deg,gain_new,phase_new_deg\n", f);
    for (int i = 0; i < kFrequencyCount; ++i)
      std::fprintf(f, "%.9g,%.9g,%.9g,%.9g,%.9g\n", kStabilizerFrequencies[i], t.gain_old[i],
                   t.phase_old[i], t.gain_new[i], t.phase_new[i]);
    run.csv_failed = std::fclose(f) != 0 || run.csv_failed;
    return;
  }
  for (int i = 0; i < c.count && t.steps > 0; ++i) {
    const OutputComparison& o = c.outputs[i];
    if (o.outcome != Outcome::pass && o.outcome != Outcome::fail) continue;
    std::FILE* f;
    if (!csv_file(run, in.line, o.output, &f)) {
      run.csv_failed = true;
      return;
    }
    std::fputs("t,old,new\n", f);
    for (int n = 0; n * kSampleEvery <= t.steps; ++n)
      std::fprintf(f, "%.9g,%.9g,%.9g\n", n * kSampleEvery * kStep, t.old_values[i][n],
                   t.new_values[i][n]);
    run.csv_failed = std::fclose(f) != 0 || run.csv_failed;
  }
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

bool make_folder(const char* path) {
  struct stat st;
  if (stat(path, &st) == 0) return S_ISDIR(st.st_mode);
#ifdef _WIN32
  return _mkdir(path) == 0;
#else
  return mkdir(path, 0777) == 0;
#endif
}

}  // namespace

bool start_responses(ResponseRun& run, const RuleTable& table, const ResponseOptions& options,
                     const char* data_file, Findings& findings) {
  run.options = options;
  run.data_file = data_file;
  run.table = &table;
  run.finding_count = run.errors_beyond = run.warnings_beyond = run.cache_hits = 0;
  run.plotted_rules = run.unplotted_rules = 0;
  run.summary = nullptr;
  run.csv_failed = false;
  for (CachedComparison& c : run.cache) c.used = false;
  for (int i = 0; i < table.rule_count; ++i) {
    RuleResponses& r = run.rules[i];
    std::memset(&r, 0, offsetof(RuleResponses, worst_records));
    r.worst_count = r.sample_count = r.sample_stride = r.sample_seen = r.not_passed_count = 0;
    r.from = find_model(table.rule_sets[i].from_model);
    r.to = find_model(table.rule_sets[i].to_model);
    r.simulated = r.from && r.to && simulated_kind(*r.from) != SimulatedKind::none &&
                  simulated_kind(*r.from) == simulated_kind(*r.to);
    r.worst = -1.0;
  }
  if (!options.csv_folder) return true;
  char path[4096];
  std::snprintf(path, sizeof path, "%s/summary.csv", options.csv_folder);
  if (make_folder(options.csv_folder)) run.summary = std::fopen(path, "wb");
  if (!run.summary) {
    report(findings, Severity::error, SourcePoint{options.csv_folder, 0, 0},
           "cannot write the CSV files there");
    return false;
  }
  std::fputs("line,bus,name,kv,id,from,to,output,outcome,deviation,time_s,reason\n", run.summary);
  return true;
}

void check_response(ResponseRun& run, const ConvertedRecord& record) {
  RuleResponses& rr = run.rules[record.rule];
  const RuleSet& r = run.table->rule_sets[record.rule];
  ++rr.records;
  if (!rr.simulated) {
    ++rr.not_simulated;
    return;
  }
  InHand in;
  read_header(record, in);
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
  if (outcome == Outcome::pass || outcome == Outcome::fail) {
    if (worst > rr.worst) {
      rr.worst = worst;
      rr.worst_line = in.line;
      rr.worst_output = c.outputs[worst_output].output;
      rr.worst_deviation = c.outputs[worst_output].deviation;
    }
    keep_worst(rr, in, worst);
    keep_sample(rr, in, worst);
  }
  report_record(run, r, in, c);
  list_not_passed(rr, in, c);
  csv_summary_rows(run, r, in, c);
  if (run.options.csv_folder) csv_record_files(run, in, c);
}

bool finish_responses(ResponseRun& run, Findings& findings) {
  std::FILE* out = findings.out;
  char tests[1024];
  describe_tests(tests, sizeof tests, run.options.tolerance * 100, run.options.phase_tolerance);
  std::fprintf(out, "Responses: %s", tests);
  for (int i = 0; i < kResponseChoiceCount; ++i)
    std::fprintf(out, "%s%s", i == 0 ? "; choices: " : ", ", kResponseChoices[i]);
  std::fputc('\n', out);
  const RuleTable& table = *run.table;
  for (int i = 0; i < table.rule_count; ++i) {
    const RuleSet& r = table.rule_sets[i];
    const RuleResponses& rr = run.rules[i];
    std::fprintf(out,
                 "%2d [%-16.16s] [%-16.16s] compared %5d   pass %5d   fail %5d   no start %5d   "
                 "not simulated %5d",
                 i, r.from_model, r.to_model, rr.compared, rr.passed, rr.failed, rr.no_start,
                 rr.not_simulated);
    if (rr.other > 0) std::fprintf(out, "   other %5d", rr.other);
    if (rr.worst >= 0) {
      std::fprintf(out, "   worst %s %.3g%s (line %d)", rr.worst_output, rr.worst_deviation,
                   std::strcmp(rr.worst_output, "phase") == 0 ? " deg" : "", rr.worst_line);
    }
    std::fputc('\n', out);
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
  bool ok = !run.csv_failed;
  if (run.summary) ok = std::fclose(run.summary) == 0 && ok;
  run.summary = nullptr;
  if (!ok)
    report(findings, Severity::error, SourcePoint{run.options.csv_folder, 0, 0},
           "a CSV file could not be written whole");
  return ok;
}

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
      if (!k) continue;
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
