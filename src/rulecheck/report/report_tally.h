// What the conversion report keeps of a preview beyond its counts: every output
// parameter's statistics, the first suspect values, and per rule the units it lists. An
// observer of the reading loop, run only when a report is asked for.
#pragma once
#include "convert/reading_loop.h"
#include "rulecheck/preview/preview.h"
#include "rulecheck/report/parameter_stats.h"
#include "rules/rule_table.h"

constexpr int kMaxSuspectRows = 1000;

// A suspect value, as the report lists it.
struct SuspectRow {
  int line;
  int bus;
  char unit_id[3];
  int rule;
  int output;
  float suspect;
  float final_value;
  ValueMark mark;
};

// A converted unit as the report lists it: where it stands and every NEW value.
struct UnitRow {
  int line;
  int bus;
  char bus_name[kTalliedNameSize];
  char unit_id[3];
  bool flagged;  // a value is suspect or outside its rule's limits
  float values[kMaxParameters];
  float suspect_values[kMaxParameters];  // before the check, where a value is suspect
  ValueMark marks[kMaxParameters];
};

// The units of one rule that the report lists: at most kMaxUnitRows, those with a
// suspect or out-of-limit value kept first, and how many there were.
constexpr int kMaxUnitRows = 200;
struct UnitList {
  int total;    // converted records
  int flagged;  // of which with a suspect or out-of-limit value
  int outside;  // of which with a value outside its limits
  int suspect;  // of which with a suspect value
  int shown;
  UnitRow rows[kMaxUnitRows];
};

struct ReportTally {
  ParameterStats stats[kMaxRuleSets][kMaxParameters];
  SuspectRow rows[kMaxSuspectRows];
  int suspect_total;
  UnitList units[kMaxRuleSets];  // only those of the table's rules are started
};

// Starts the tally of a table's rules.
void start_report_tally(ReportTally& tally, const RuleTable& table);

// The tally as an observer of the reading loop.
struct ReportTallying final : LoopObserver {
  ReportTally& tally;
  const RuleTable& table;
  ReportTallying(ReportTally& t, const RuleTable& r) : tally(t), table(r) {}
  void record_converted(const ConvertedRecord& record) override;
  void model_without_rule(const char*) override {}
  void blank_led_line(int, int) override {}
};
