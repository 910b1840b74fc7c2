// The preview: modelconv's conversion of a data file, run with every output switched off,
// and what it would have found, converted, failed and flagged.
#pragma once
#include <cstdio>

#include "convert/bus_selection.h"
#include "convert/reading_loop.h"
#include "expr/compiled_library.h"
#include "io/line_reader.h"
#include "rulecheck/findings/findings.h"
#include "rules/rule_table.h"

constexpr int kMaxTalliedModels = 1024;
constexpr int kTalliedNameSize = 32;  // a model name's first 31 characters
constexpr int kMaxListed = 20;        // warnings of one kind listed per rule; the rest counted

// Lines of the data file that one kind of warning points at: how many, and the first
// kMaxListed of them.
struct Listed {
  int count;
  int lines[kMaxListed];
  int values[kMaxListed];                    // the values given, or the keyword's position
  char texts[kMaxListed][kTalliedNameSize];  // the keyword
};

// What the preview counts beyond the RuleSets' counts. Plain data of a fixed size.
struct PreviewTally {
  int lines;  // of the data file
  Listed short_records[kMaxRuleSets];
  Listed keywords[kMaxRuleSets];
  Listed extra_values[kMaxRuleSets];        // records holding more values than their model
  Listed catalogue_keywords[kMaxRuleSets];  // keywords that are not the catalogue's name
  int most_values[kMaxRuleSets];            // the most values a converted record gives
  int unread_records[kMaxRuleSets];         // records that give more values than the rule reads
  Listed blank_led[kMaxRuleSets];
  // Records whose model no RuleSet converts, by model name in the order first met.
  char models[kMaxTalliedModels][kTalliedNameSize];
  int model_records[kMaxTalliedModels];
  int model_count;
  int other_model_records;  // of further models once the table is full
};

// What a preview reads by, counts into and reads with: the caller's.
struct Preview {
  const RuleLibrary& library;
  RuleState& rules;     // counts from zero
  PreviewTally& tally;     // emptied first
  LoopObserver* also[2];  // told of every converted record too; nullptr: none
  BusSelection& selection;
  LoopBuffers& loop;
  WholeLine& line;     // for the bus list
  Findings& findings;  // its lines go to findings.out too
  std::FILE* out;      // the converted file, as modelconv writes it; nullptr: none
  RecordTuner* tuner;  // changes converted values before they are written; nullptr: none
};

// Runs the preview of `data_file` with the selection argument (nullptr: every bus), and
// writes its lines. False, after an error finding, when the data file or the bus
// selection file cannot be read.
bool run_preview(const Preview& preview, const char* data_file, const char* selection_argument);

// The data file's warnings, of five kinds, each listed per rule.
enum class WarningKind { short_record, keyword, blank_led, extra_values, catalogue_keyword };
constexpr WarningKind kWarningKinds[] = {WarningKind::short_record, WarningKind::keyword,
                                         WarningKind::blank_led, WarningKind::extra_values,
                                         WarningKind::catalogue_keyword};
const Listed& warnings_of(const PreviewTally& tally, WarningKind kind, int rule);
// What warning n of its list says (its line is told apart), and what the count of the
// ones not listed says.
void describe_warning(WarningKind kind, const RuleSet& rule, const Listed& listed, int n, char* out,
                      int size);
void describe_rest(WarningKind kind, const RuleSet& rule, int rest, char* out, int size);

// The models no rule converts, most frequent first (models met first come first among
// equals): their indexes in the tally, in `order` (room for kMaxTalliedModels).
void models_by_count(const PreviewTally& tally, int* order);
