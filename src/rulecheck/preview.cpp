// The preview: modelconv's conversion of a data file, run with every output switched off,
// and what it would have found, converted, failed and flagged.
#include "rulecheck/preview.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "convert/bus_selection.h"
#include "convert/reading_loop.h"
#include "io/files.h"
#include "rulecheck/findings.h"

namespace {

constexpr int kMaxTalliedModels = 1024;
constexpr int kTalliedNameSize = 32;  // a model name's first 31 characters
constexpr int kMaxListed = 20;        // warnings of one kind listed per rule; the rest counted

// Lines of the data file that a warning points at, the first kMaxListed of them.
struct Listed {
  int count;
  int lines[kMaxListed];
  int values[kMaxListed];  // what each says: the values given, or the keyword's position
  char texts[kMaxListed][kTalliedNameSize];  // the keyword
  void add(int line, int value = 0, const char* text = "") {
    if (count < kMaxListed) {
      lines[count] = line;
      values[count] = value;
      std::snprintf(texts[count], sizeof texts[count], "%s", text);
    }
    ++count;
  }
};

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

// What the preview counts beyond the RuleSets' found and converted counts.
struct Tally final : LoopObserver {
  const RuleTable* table;
  int failed[kMaxRuleSets];    // records whose conversion failed
  int suspects[kMaxRuleSets];  // values whose test yielded zero
  Listed short_records[kMaxRuleSets];
  Listed blank_led[kMaxRuleSets];
  Listed keywords[kMaxRuleSets];
  // Records whose model no RuleSet converts, by model name in the order first met.
  char models[kMaxTalliedModels][kTalliedNameSize];
  int model_records[kMaxTalliedModels];
  int model_count;
  int other_model_records;  // of further models once the table is full

  void record_converted(const ConvertedRecord& record) override {
    const int i = record.rule;
    failed[i] += record.conversion.failed;
    suspects[i] += record.conversion.suspects;
    const RuleSet& r = table->rule_sets[i];
    const ParsedRecord& p = record.parsed;
    if (p.values_given < r.input_count) short_records[i].add(record.line, p.values_given);
    const int keyed = std::min(p.values_given, static_cast<int>(r.input_count));
    for (int k = 0; k < keyed; ++k) {
      const char* keyword = p.keywords[k];
      if (keyword && !keyword_names(keyword, r.input_names[k])) {
        char unquoted[kTalliedNameSize];
        std::snprintf(unquoted, sizeof unquoted, "%.*s",
                      static_cast<int>(std::strcspn(keyword + 1, "\"")), keyword + 1);
        keywords[i].add(record.line, k, unquoted);
      }
    }
  }
  void blank_led_line(int rule, int line) override { blank_led[rule].add(line); }
  void model_without_rule(const char* model) override {
    for (int i = 0; i < model_count; ++i) {
      if (std::strncmp(models[i], model, kTalliedNameSize - 1) == 0) {
        ++model_records[i];
        return;
      }
    }
    if (model_count == kMaxTalliedModels) {
      ++other_model_records;
      return;
    }
    std::snprintf(models[model_count], kTalliedNameSize, "%s", model);
    model_records[model_count++] = 1;
  }
};

BusSelection selection;
Tally tally;

void write_unconverted_models(std::FILE* out) {
  // Most frequent first; models met first come first among equals.
  static int order[kMaxTalliedModels];
  for (int i = 0; i < tally.model_count; ++i) order[i] = i;
  std::stable_sort(order, order + tally.model_count,
                   [](int a, int b) { return tally.model_records[a] > tally.model_records[b]; });
  for (int n = 0; n < tally.model_count; ++n) {
    const int i = order[n];
    std::fprintf(out, "-- [%-16.16s] found % 5d   no rule converts it\n", tally.models[i],
                 tally.model_records[i]);
  }
  if (tally.other_model_records > 0)
    std::fprintf(out, "-- and %d records of further models\n", tally.other_model_records);
}

// The data file's warnings for RuleSet i: short records, values whose keyword names
// another input, lines that begin with a blank after its records.
void report_data_warnings(const char* data_file, const RuleTable& table, int i) {
  const RuleSet& r = table.rule_sets[i];
  const Listed& shorts = tally.short_records[i];
  for (int n = 0; n < std::min(shorts.count, kMaxListed); ++n)
    report(Severity::warning, SourcePoint{data_file, shorts.lines[n], 0},
           "record of [%s] gives %d values, the rule reads %d: the missing inputs are 0",
           r.from_model, shorts.values[n], r.input_count);
  if (shorts.count > kMaxListed)
    report(Severity::warning, SourcePoint{data_file, 0, 0},
           "%d more records of [%s] give fewer values than the rule reads",
           shorts.count - kMaxListed, r.from_model);
  const Listed& keyed = tally.keywords[i];
  for (int n = 0; n < std::min(keyed.count, kMaxListed); ++n)
    report(Severity::warning, SourcePoint{data_file, keyed.lines[n], 0},
           "value %d of [%s] follows the keyword [%s] but feeds input [%s]: values are read by "
           "position",
           keyed.values[n] + 1, r.from_model, keyed.texts[n], r.input_names[keyed.values[n]]);
  if (keyed.count > kMaxListed)
    report(Severity::warning, SourcePoint{data_file, 0, 0},
           "%d more values of [%s] follow a keyword that names another input",
           keyed.count - kMaxListed, r.from_model);
  const Listed& blanks = tally.blank_led[i];
  for (int n = 0; n < std::min(blanks.count, kMaxListed); ++n)
    report(Severity::warning, SourcePoint{data_file, blanks.lines[n], 0},
           "line begins with a blank after a converted record of [%s]: it is copied unchanged, "
           "not read into that record",
           r.from_model);
  if (blanks.count > kMaxListed)
    report(Severity::warning, SourcePoint{data_file, 0, 0},
           "%d more lines begin with a blank after converted records of [%s]",
           blanks.count - kMaxListed, r.from_model);
}

// Opens the bus selection as modelconv does, and reads its list. False after an error
// finding.
bool select_buses(const char* selection_argument) {
  if (classify_selection(selection_argument ? selection_argument : "all", selection) ==
      SelectionArgument::refused) {
    report(Severity::error, SourcePoint{selection_argument, 0, 0},
           "is neither \"all\" nor a bus selection file that can be opened");
    return false;
  }
  const bool listed = !selection.file || read_bus_list(selection, selection_argument);
  if (!listed)
    report(Severity::error, SourcePoint{selection_argument, 0, 0}, "holds more than %d bus numbers",
           kMaxBusNumbers);
  if (selection.file) std::fclose(selection.file);
  return listed;
}

}  // namespace

bool run_preview(const char* data_file, const char* selection_argument, RuleTable& table,
                 const CompiledLibrary& library, std::FILE* out) {
  std::FILE* in = open_for_reading(data_file);
  if (!in) {
    report(Severity::error, SourcePoint{data_file, 0, 0}, "cannot open the data file");
    return false;
  }
  if (!select_buses(selection_argument)) {
    std::fclose(in);
    return false;
  }
  tally.table = &table;
  convert_data_file(in, table, library, selection,
                    LoopOutputs{nullptr, nullptr, {nullptr, nullptr, false, BusNameForm::token}},
                    &tally);
  std::fclose(in);
  std::fprintf(out, "Preview of [%s], selection basis [%s], no file written:\n", data_file,
               selection.basis);
  for (int i = 0; i < table.rule_count; ++i) {
    const RuleSet& r = table.rule_sets[i];
    std::fprintf(
        out, "%2d [%-16.16s] [%-16.16s] found % 5d   converted %5d   failed %5d   suspect %5d\n", i,
        r.from_model, r.to_model, r.found_count, r.converted_count, tally.failed[i],
        tally.suspects[i]);
  }
  write_unconverted_models(out);
  std::fflush(out);
  for (int i = 0; i < table.rule_count; ++i) report_data_warnings(data_file, table, i);
  return true;
}
