// The preview: modelconv's conversion of a data file, run with every output switched off,
// and what it would have found, converted, failed and flagged.
#include "rulecheck/preview.h"

#include <algorithm>

#include "batch/bus_selection.h"
#include "batch/convert_file.h"
#include "io/console.h"
#include "io/files.h"
#include "rulecheck/findings.h"
#include "rules/rule_table.h"

namespace {

BusSelection selection;
BatchTally tally;

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

}  // namespace

bool run_preview(const char* data_file, const char* selection_argument, std::FILE* out) {
  std::FILE* in = open_for_reading(data_file);
  if (!in) {
    report(Severity::error, SourcePoint{data_file, 0, 0}, "cannot open the data file");
    return false;
  }
  if (classify_selection(selection_argument ? selection_argument : "all", selection) ==
      SelectionArgument::refused) {
    report(Severity::error, SourcePoint{selection_argument, 0, 0},
           "is neither \"all\" nor a bus selection file that can be opened");
    std::fclose(in);
    return false;
  }
  const bool listed = !selection.file || read_bus_list(selection, selection_argument, false);
  if (!listed)
    report(Severity::error, SourcePoint{selection_argument, 0, 0},
           "holds more than 30000 bus numbers");
  if (selection.file) std::fclose(selection.file);
  if (!listed) {
    std::fclose(in);
    return false;
  }

  std::FILE* previous = console;
  console = nullptr;  // the conversion's messages are the checker's findings already
  convert_file(in, selection,
               BatchOutputs{nullptr, nullptr, {nullptr, nullptr, false, BusNameForm::token}},
               &tally);
  console = previous;
  std::fclose(in);

  std::fprintf(out, "Preview of [%s], selection basis [%s], no file written:\n", data_file,
               selection.basis);
  for (int i = 0; i < rule_table.rule_count; ++i) {
    const RuleSet& r = rule_table.rule_sets[i];
    std::fprintf(
        out, "%2d [%-16.16s] [%-16.16s] found % 5d   converted %5d   failed %5d   suspect %5d\n", i,
        r.from_model, r.to_model, r.found_count, r.converted_count, tally.failed[i],
        tally.suspects[i]);
  }
  write_unconverted_models(out);
  return true;
}
