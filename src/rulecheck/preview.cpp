// The preview: modelconv's conversion of a data file, run with every output switched off,
// and what it would have found, converted, failed and flagged.
#include "rulecheck/preview.h"

#include <algorithm>
#include <cstring>

#include "convert/bus_selection.h"
#include "convert/reading_loop.h"
#include "io/files.h"
#include "rulecheck/findings.h"

namespace {

constexpr int kMaxTalliedModels = 1024;
constexpr int kTalliedNameSize = 32;  // a model name's first 31 characters

// What the preview counts beyond the RuleSets' found and converted counts.
struct Tally final : LoopObserver {
  int failed[kMaxRuleSets];    // records whose conversion failed
  int suspects[kMaxRuleSets];  // values whose test yielded zero
  // Records whose model no RuleSet converts, by model name in the order first met.
  char models[kMaxTalliedModels][kTalliedNameSize];
  int model_records[kMaxTalliedModels];
  int model_count;
  int other_model_records;  // of further models once the table is full

  void record_converted(int rule, const ConversionResult& result) override {
    failed[rule] += result.failed;
    suspects[rule] += result.suspects;
  }
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
  return true;
}
