// The CSV files of --responses, written aside and moved into place.
#include "rulecheck/responses/response_files.h"

#include <sys/stat.h>

#include <cmath>
#include <cstring>

#include "text/format.h"

#ifdef _WIN32
#include <direct.h>
#endif

namespace {

// The longest last name of a file in the folder ("L2147483647-reference.csv"), and what
// its temporary name adds (".NAME.partial-XXXXXX").
constexpr int kLongestFileName = 40;
constexpr int kTemporaryExtra = 20;

bool make_folder(const char* path) {
  struct stat st;
  if (stat(path, &st) == 0) return S_ISDIR(st.st_mode);
#ifdef _WIN32
  return _mkdir(path) == 0;
#else
  return mkdir(path, 0777) == 0;
#endif
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

// The unit ID without the blank that pads a one-character ID.
void csv_unit_id(std::FILE* f, const char* id) {
  char trimmed[3] = {id[0], id[1] == ' ' ? '\0' : id[1], '\0'};
  csv_text(f, trimmed);
}

// line,bus,name,kv,id,from,to, of every row of a record; the name without the blanks
// that pad it to a fixed width.
void place_columns(std::FILE* f, const RowPlace& at, const RuleSet& r) {
  std::fprintf(f, "%d,%d,", at.line, at.bus);
  char name[kPlaceNameSize];
  std::snprintf(name, sizeof name, "%s", at.place.bus_name);
  for (std::size_t n = std::strlen(name); n > 0 && name[n - 1] == ' '; --n) name[n - 1] = '\0';
  csv_text(f, name);
  std::fputc(',', f);
  csv_text(f, at.place.kv_text);
  std::fputc(',', f);
  csv_unit_id(f, at.place.unit_id);
  std::fputc(',', f);
  csv_text(f, r.from_model);
  std::fputc(',', f);
  csv_text(f, r.to_model);
  std::fputc(',', f);
}

// The same and the test, of every row of summary.csv.
void row_start(std::FILE* f, const RowPlace& at, const RuleSet& r, const char* test) {
  place_columns(f, at, r);
  std::fprintf(f, "%s,", test ? test : "");
}

bool open_file(ResponseFiles& files, OutputFile& file, char* name, char* buffer) {
  if (open_output_file(file, name, buffer)) return true;
  files.failed = true;
  return false;
}

void close_file(ResponseFiles& files, OutputFile& file) {
  if (!close_output_file(file)) files.failed = true;
}

}  // namespace

bool is_response_file_name(const char* base) {
  if (std::strcmp(base, "summary.csv") == 0 || std::strcmp(base, "fit.csv") == 0) return true;
  if (base[0] != 'L' || !(base[1] >= '0' && base[1] <= '9')) return false;
  const char* p = base + 1;
  while (*p >= '0' && *p <= '9') ++p;
  if (*p++ != '-' || !*p) return false;
  while ((*p >= 'a' && *p <= 'z') || *p == '_') ++p;
  return std::strcmp(p, ".csv") == 0;
}

bool response_folder_fits(const char* folder) {
  return std::strlen(folder) + 1 + kLongestFileName + kTemporaryExtra <=
         static_cast<std::size_t>(kMaxPathLength);
}

bool open_response_files(ResponseFiles& files, const char* folder) {
  files.folder = folder;
  files.failed = false;
  files.fit_open = false;
  if (!make_folder(folder)) return false;
  std::snprintf(files.summary_name, sizeof files.summary_name, "%s/summary.csv", folder);
  if (!open_output_file(files.summary, files.summary_name, files.summary_buffer)) return false;
  std::fputs("line,bus,name,kv,id,from,to,test,output,outcome,deviation,time_s,f_hz,reason\n",
             files.summary.stream);
  return true;
}

void write_summary_rows(ResponseFiles& files, const RowPlace& at, const RuleSet& r,
                        const Comparison& c) {
  if (!files.folder) return;
  std::FILE* f = files.summary.stream;
  for (int i = 0; i < c.count; ++i) {
    const OutputComparison& o = c.outputs[i];
    const bool frequency = o.test && o.test->metric == Metric::frequency;
    row_start(f, at, r, o.test ? o.test->name : nullptr);
    std::fprintf(f, "%s,%s,", o.output, outcome_name(o.outcome));
    // Outcomes that compare nothing have no deviation and no time.
    if (has_deviation(o.outcome))
      std::fprintf(f, "%.9g,%s%.9g%s,", o.deviation, frequency ? "," : "", o.at,
                   frequency ? "" : ",");
    else
      std::fputs(",,,", f);
    char reason[kReasonSize + kNotesSize + 4];
    std::snprintf(reason, sizeof reason, "%s%s%s", o.reason,
                  o.reason[0] && c.notes.text[0] ? "; " : "", c.notes.text);
    csv_text(f, reason);
    std::fputc('\n', f);
  }
}

bool open_fit_file(ResponseFiles& files) {
  if (!files.folder) return true;
  std::snprintf(files.fit_name, sizeof files.fit_name, "%s/fit.csv", files.folder);
  if (!open_output_file(files.fit, files.fit_name, files.fit_buffer)) return false;
  files.fit_open = true;
  std::fputs(
      "line,bus,name,kv,id,from,to,output,deviation_before,deviation_after,iterations,"
      "simulations,values\n",
      files.fit.stream);
  return true;
}

void write_fit_row(ResponseFiles& files, const RowPlace& at, const RuleSet& r, const char* output,
                   double before, double after, int iterations, int simulations,
                   const char* values) {
  if (!files.fit_open) return;
  std::FILE* f = files.fit.stream;
  place_columns(f, at, r);
  csv_text(f, output);
  std::fprintf(f, ",%.9g,%.9g,%d,%d,", before, after, iterations, simulations);
  csv_text(f, values);
  std::fputc('\n', f);
}

void write_summary_row(ResponseFiles& files, const RowPlace& at, const RuleSet& r, const char* test,
                       const char* outcome, const char* reason) {
  if (!files.folder) return;
  std::FILE* f = files.summary.stream;
  row_start(f, at, r, test);
  std::fprintf(f, ",%s,,,,", outcome);
  csv_text(f, reason);
  std::fputc('\n', f);
}

namespace {

// "L<line>-bode.csv": gain and phase of both sides at every frequency.
void write_bode_file(ResponseFiles& files, int line, const Trajectories& t) {
  std::snprintf(files.record_name, sizeof files.record_name, "%s/L%d-bode.csv", files.folder, line);
  if (!open_file(files, files.record, files.record_name, files.record_buffer)) return;
  std::FILE* f = files.record.stream;
  std::fputs("f_hz,gain_old,phase_old_deg,gain_new,phase_new_deg\n", f);
  for (int i = 0; i < kFrequencyCount; ++i)
    std::fprintf(f, "%.9g,%.9g,%.9g,%.9g,%.9g\n", kStabilizerFrequencies[i], t.gain_old[i],
                 t.phase_old[i], t.gain_new[i], t.phase_new[i]);
  close_file(files, files.record);
}

// "L<line>-<name>.csv": t, then OLD and NEW of each of the outputs first .. first + count - 1,
// every kSampleEvery-th step.
void write_time_file(ResponseFiles& files, int line, const char* name, const Comparison& c,
                     int first, int count, const Trajectories& t,
                     const double (*rule_values)[kMaxSamples]) {
  std::snprintf(files.record_name, sizeof files.record_name, "%s/L%d-%s.csv", files.folder, line,
                name);
  if (!open_file(files, files.record, files.record_name, files.record_buffer)) return;
  std::FILE* f = files.record.stream;
  std::fputc('t', f);
  for (int k = first; k < first + count; ++k) {
    if (count == 1)
      std::fputs(rule_values ? ",old,new,fitted" : ",old,new", f);
    else if (rule_values)
      std::fprintf(f, ",%s_old,%s_new,%s_fitted", c.outputs[k].output, c.outputs[k].output,
                   c.outputs[k].output);
    else
      std::fprintf(f, ",%s_old,%s_new", c.outputs[k].output, c.outputs[k].output);
  }
  std::fputc('\n', f);
  for (int n = 0; n * kSampleEvery <= t.steps; ++n) {
    std::fprintf(f, "%.9g", n * kSampleEvery * kStep);
    for (int k = first; k < first + count; ++k) {
      if (rule_values)
        std::fprintf(f, ",%.9g,%.9g,%.9g", t.old_values[k][n], rule_values[k][n],
                     t.new_values[k][n]);
      else
        std::fprintf(f, ",%.9g,%.9g", t.old_values[k][n], t.new_values[k][n]);
    }
    std::fputc('\n', f);
  }
  close_file(files, files.record);
}

}  // namespace

void write_record_files(ResponseFiles& files, int line, const Comparison& c, const Trajectories& t,
                        const double (*rule_values)[kMaxSamples]) {
  if (!files.folder) return;
  for (int r = 0; r < c.runs; ++r) {
    const TestRun& run = c.run[r];
    if (run.count == 0 || !has_responses(c.outputs[run.first].outcome)) continue;
    if (run.test->metric == Metric::frequency) {
      write_bode_file(files, line, t);
    } else if (t.steps <= 0) {
      continue;
    } else if (run.test->file) {
      write_time_file(files, line, run.test->file, c, run.first, run.count, t, rule_values);
    } else {
      for (int k = run.first; k < run.first + run.count; ++k) {
        if (has_responses(c.outputs[k].outcome))
          write_time_file(files, line, c.outputs[k].output, c, k, 1, t, rule_values);
      }
    }
  }
}

void discard_response_files(ResponseFiles& files) {
  if (!files.folder) return;
  discard_output_file(files.summary);
  if (files.fit_open) discard_output_file(files.fit);
  files.fit_open = false;
  files.folder = nullptr;
}

bool close_response_files(ResponseFiles& files) {
  if (!files.folder) return true;
  close_file(files, files.summary);
  if (files.fit_open) close_file(files, files.fit);
  return !files.failed;
}
