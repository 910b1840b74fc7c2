// The preview: modelconv's conversion of a data file, run with every output switched off,
// and what it would have found, converted, failed and flagged.
#include "rulecheck/preview/preview.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "convert/bus_selection.h"
#include "convert/reading_loop.h"
#include "io/files.h"
#include "models/catalogue.h"
#include "rulecheck/findings/findings.h"

namespace {

void add(Listed& listed, int line, int value = 0, const char* text = "") {
  if (listed.count < kMaxListed) {
    listed.lines[listed.count] = line;
    listed.values[listed.count] = value;
    std::snprintf(listed.texts[listed.count], sizeof listed.texts[0], "%s", text);
  }
  ++listed.count;
}

// The keyword of a keyword-style value, without its quotes, names the input at its
// position, its "@" left out and case ignored.
bool keyword_names(const char* keyword, const char* input_name) {
  const char* k = keyword + 1;  // past the opening quote
  const char* n = input_name[0] == '@' ? input_name + 1 : input_name;
  for (; *k && *k != '"'; ++k, ++n) {
    if (std::tolower(static_cast<unsigned char>(*k)) !=
        std::tolower(static_cast<unsigned char>(*n)))
      return false;
  }
  return *n == '\0';
}

// The keyword without its quotes, cut to what a Listed keeps.
void unquote(const char* keyword, char* out) {
  std::snprintf(out, kTalliedNameSize, "%.*s", static_cast<int>(std::strcspn(keyword + 1, "\"")),
                keyword + 1);
}

// Keywords that do not name the rule's input their value feeds; where they do, those that
// are not the catalogue's name at their position (model: the from-model's entry, or
// nullptr).
void check_keywords(PreviewTally& tally, const ConvertedRecord& record, const RuleSet& r,
                    const ModelEntry* model) {
  const ParsedRecord& p = record.parsed;
  char unquoted[kTalliedNameSize];
  for (int k = 0; k < p.values_given; ++k) {
    const char* keyword = p.keywords[k];
    if (!keyword) continue;
    if (k < r.input_count && !keyword_names(keyword, r.input_names[k])) {
      unquote(keyword, unquoted);
      add(tally.keywords[record.rule], record.line, k, unquoted);
    } else if (model && model->names && k < model->count &&
               !keyword_names(keyword, model->names[k])) {
      unquote(keyword, unquoted);
      add(tally.catalogue_keywords[record.rule], record.line, k, unquoted);
    }
  }
}

// The loop's observer: counts into the tally.
struct Counting final : LoopObserver {
  PreviewTally& tally;
  LoopObserver* const* also;  // two of them
  const RuleTable& table;
  const ModelEntry* models[kMaxRuleSets];  // each rule's from-model in the catalogue
  Counting(PreviewTally& t, LoopObserver* const* a, const RuleTable& r)
      : tally(t), also(a), table(r) {
    for (int i = 0; i < table.rule_count; ++i)
      models[i] = find_model(table.rule_sets[i].from_model);
  }

  void record_converted(const ConvertedRecord& record) override {
    const int i = record.rule;
    const RuleSet& r = table.rule_sets[i];
    const int given = record.parsed.values_given;
    if (given < r.input_count) add(tally.short_records[i], record.line, given);
    if (given > r.input_count) {
      ++tally.unread_records[i];
      if (given > tally.most_values[i]) tally.most_values[i] = given;
    }
    if (models[i] && given > models[i]->count) add(tally.extra_values[i], record.line, given);
    check_keywords(tally, record, r, models[i]);
    for (int k = 0; k < 2; ++k) {
      if (also[k]) also[k]->record_converted(record);
    }
  }

  void model_without_rule(const char* model) override {
    for (int i = 0; i < tally.model_count; ++i) {
      if (std::strncmp(tally.models[i], model, kTalliedNameSize - 1) == 0) {
        ++tally.model_records[i];
        return;
      }
    }
    if (tally.model_count == kMaxTalliedModels) {
      ++tally.other_model_records;
      return;
    }
    std::snprintf(tally.models[tally.model_count], kTalliedNameSize, "%s", model);
    tally.model_records[tally.model_count++] = 1;
  }

  void blank_led_line(int rule, int line) override { add(tally.blank_led[rule], line); }
};

}  // namespace

const Listed& warnings_of(const PreviewTally& tally, WarningKind kind, int rule) {
  switch (kind) {
    case WarningKind::short_record:
      return tally.short_records[rule];
    case WarningKind::keyword:
      return tally.keywords[rule];
    case WarningKind::extra_values:
      return tally.extra_values[rule];
    case WarningKind::catalogue_keyword:
      return tally.catalogue_keywords[rule];
    case WarningKind::blank_led:
      break;
  }
  return tally.blank_led[rule];
}

void describe_warning(WarningKind kind, const RuleSet& r, const Listed& listed, int n, char* out,
                      int size) {
  const auto room = static_cast<std::size_t>(size);
  switch (kind) {
    case WarningKind::short_record:
      std::snprintf(out, room,
                    "record of [%s] gives %d values, the rule reads %d: the missing inputs are 0",
                    r.from_model, listed.values[n], r.input_count);
      break;
    case WarningKind::keyword:
      std::snprintf(out, room,
                    "value %d of [%s] follows the keyword [%s] but feeds input [%s]: values are "
                    "read by position",
                    listed.values[n] + 1, r.from_model, listed.texts[n],
                    r.input_names[listed.values[n]]);
      break;
    case WarningKind::blank_led:
      std::snprintf(out, room,
                    "line begins with a blank after a converted record of [%s]: it is copied "
                    "unchanged, not read into that record",
                    r.from_model);
      break;
    case WarningKind::extra_values:
      std::snprintf(out, room,
                    "record of [%s] holds %d values, the catalogue's %s has %d: its layout may "
                    "not be the one the rule reads",
                    r.from_model, listed.values[n], find_model(r.from_model)->name,
                    find_model(r.from_model)->count);
      break;
    case WarningKind::catalogue_keyword: {
      const ModelEntry& m = *find_model(r.from_model);
      const int k = listed.values[n];
      std::snprintf(out, room,
                    "value %d of [%s] follows the keyword [%s], but position %d of %s holds %s%s",
                    k + 1, r.from_model, listed.texts[n], k + 1, m.name, m.names[k],
                    k < m.confirmed_to ? "" : " (order not confirmed)");
      break;
    }
  }
}

void describe_rest(WarningKind kind, const RuleSet& r, int rest, char* out, int size) {
  const auto room = static_cast<std::size_t>(size);
  switch (kind) {
    case WarningKind::short_record:
      std::snprintf(out, room, "%d more records of [%s] give fewer values than the rule reads",
                    rest, r.from_model);
      break;
    case WarningKind::keyword:
      std::snprintf(out, room, "%d more values of [%s] follow a keyword that names another input",
                    rest, r.from_model);
      break;
    case WarningKind::blank_led:
      std::snprintf(out, room, "%d more lines begin with a blank after converted records of [%s]",
                    rest, r.from_model);
      break;
    case WarningKind::extra_values:
      std::snprintf(out, room,
                    "%d more records of [%s] hold more values than the catalogue's model", rest,
                    r.from_model);
      break;
    case WarningKind::catalogue_keyword:
      std::snprintf(out, room,
                    "%d more values of [%s] follow a keyword that is not the catalogue's name",
                    rest, r.from_model);
      break;
  }
}

void models_by_count(const PreviewTally& tally, int* order) {
  for (int i = 0; i < tally.model_count; ++i) order[i] = i;
  std::stable_sort(order, order + tally.model_count,
                   [&](int a, int b) { return tally.model_records[a] > tally.model_records[b]; });
}

namespace {

void write_unconverted_models(const PreviewTally& tally, std::FILE* out) {
  int order[kMaxTalliedModels];
  models_by_count(tally, order);
  for (int n = 0; n < tally.model_count; ++n) {
    const int i = order[n];
    std::fprintf(out, "-- [%-16.16s] found % 5d   no rule converts it\n", tally.models[i],
                 tally.model_records[i]);
  }
  if (tally.other_model_records > 0)
    std::fprintf(out, "-- and %d records of further models\n", tally.other_model_records);
}

// The data file's warnings for RuleSet i, in the form of the other findings.
void report_data_warnings(Findings& findings, const char* data_file, const RuleTable& table,
                          const PreviewTally& tally, int i) {
  char text[256];
  for (const WarningKind kind : kWarningKinds) {
    const Listed& listed = warnings_of(tally, kind, i);
    for (int n = 0; n < std::min(listed.count, kMaxListed); ++n) {
      describe_warning(kind, table.rule_sets[i], listed, n, text, sizeof text);
      report(findings, Severity::warning, SourcePoint{data_file, listed.lines[n], 0}, "%s", text);
    }
    if (listed.count > kMaxListed) {
      describe_rest(kind, table.rule_sets[i], listed.count - kMaxListed, text, sizeof text);
      report(findings, Severity::warning, SourcePoint{data_file, 0, 0}, "%s", text);
    }
  }
}

// Opens the bus selection as modelconv does, and reads its list. False after an error
// finding.
bool select_buses(const Preview& p, const char* selection_argument) {
  BusSelection& selection = p.selection;
  if (classify_selection(selection_argument ? selection_argument : "all", selection) ==
      SelectionArgument::refused) {
    report(p.findings, Severity::error, SourcePoint{selection_argument, 0, 0},
           "is neither \"all\" nor a bus selection file that can be opened");
    return false;
  }
  const bool listed = !selection.file || read_bus_list(selection, selection_argument, p.line);
  if (!listed)
    report(p.findings, Severity::error, SourcePoint{selection_argument, 0, 0},
           "holds more than %d bus numbers", kMaxBusNumbers);
  if (selection.file) std::fclose(selection.file);
  return listed;
}

// The preview's lines: a count line per rule, then the models no rule converts.
void write_counts(const Preview& p, const char* data_file) {
  std::FILE* out = p.findings.out;
  const RuleTable& table = p.library.table;
  std::fprintf(
      out, "Preview of [%s], selection basis [%s], %s:\n", data_file, basis_name(p.selection.basis),
      p.out ? "converted as modelconv converts it, fitted values in place" : "no file written");
  for (int i = 0; i < table.rule_count; ++i) {
    const RuleSet& r = table.rule_sets[i];
    const RuleCounts& c = p.rules.counts[i];
    std::fprintf(
        out, "%2d [%-16.16s] [%-16.16s] found % 5d   converted %5d   failed %5d   suspect %5d\n", i,
        r.from_model, r.to_model, c.found, c.converted, c.failed, c.suspects);
  }
  write_unconverted_models(p.tally, out);
  std::fflush(out);
}

}  // namespace

bool run_preview(const Preview& p, const char* data_file, const char* selection_argument) {
  const RuleTable& table = p.library.table;
  PreviewTally& tally = p.tally;
  std::FILE* data = open_for_reading(data_file);
  if (!data) {
    report(p.findings, Severity::error, SourcePoint{data_file, 0, 0}, "cannot open the data file");
    return false;
  }
  if (!select_buses(p, selection_argument)) {
    std::fclose(data);
    return false;
  }
  std::memset(&tally, 0, sizeof tally);
  Counting counting(tally, p.also, table);
  const LoopOutputs quiet{
      p.out, nullptr, {nullptr, nullptr, false, BusNameForm::token}, &counting, p.tuner};
  tally.lines = convert_data_file(data, p.library, p.rules, p.selection, quiet, p.loop);
  std::fclose(data);
  write_counts(p, data_file);
  for (int i = 0; i < table.rule_count; ++i)
    report_data_warnings(p.findings, data_file, table, tally, i);
  return true;
}
