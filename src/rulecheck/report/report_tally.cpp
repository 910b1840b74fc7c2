// What the conversion report keeps of a preview: statistics, suspect values and units.
#include "rulecheck/report/report_tally.h"

#include <cstdio>
#include <cstring>


namespace {

// The slot of the rule's unit list that a converted unit takes, or nullptr when the list
// is full and the unit would push out none: units with a suspect or out-of-limit value
// push out the last plain one.
UnitRow* unit_slot(UnitList& list, bool flagged) {
  ++list.total;
  list.flagged += flagged;
  if (list.shown < kMaxUnitRows) return &list.rows[list.shown++];
  if (!flagged) return nullptr;
  for (int n = list.shown - 1; n >= 0; --n) {
    if (!list.rows[n].flagged) return &list.rows[n];
  }
  return nullptr;
}

void keep_unit(UnitList& list, const ConvertedRecord& record, const RuleSet& r) {
  const ConversionResult& c = record.conversion;
  bool outside = false;
  bool suspect = false;
  for (int k = 0; k < r.output_count; ++k) {
    suspect = suspect || c.marks[k] != ValueMark::passed;
    outside = outside || outside_limits(c.outputs[k], r.low_limits[k], r.high_limits[k]);
  }
  const bool flagged = outside || suspect;
  list.outside += outside;
  list.suspect += suspect;
  UnitRow* row = unit_slot(list, flagged);
  if (!row) return;
  const RecordPlace& place = c.place;
  std::snprintf(row->bus_name, sizeof row->bus_name, "%s", place.bus_name);
  row->line = record.line;
  row->bus = record.bus_number;
  std::memcpy(row->unit_id, place.unit_id, 3);
  row->flagged = flagged;
  const auto n = static_cast<std::size_t>(r.output_count);
  std::memcpy(row->values, c.outputs, n * sizeof(float));
  std::memcpy(row->suspect_values, c.suspect_values, n * sizeof(float));
  std::memcpy(row->marks, c.marks, n * sizeof(ValueMark));
}

// The report's statistics of every output of the record, its suspect values and the
// unit's row.
void keep_statistics(ReportTally& tally, const ConvertedRecord& record, const RuleSet& r) {
  const ConversionResult& c = record.conversion;
  keep_unit(tally.units[record.rule], record, r);
  for (int k = 0; k < r.output_count; ++k) {
    add_value(tally.stats[record.rule][k], c.outputs[k], c.marks[k]);
    if (c.marks[k] == ValueMark::passed) continue;
    if (tally.suspect_total++ >= kMaxSuspectRows) continue;
    SuspectRow& row = tally.rows[tally.suspect_total - 1];
    row = SuspectRow{record.line,
                     record.bus_number,
                     {c.place.unit_id[0], c.place.unit_id[1], '\0'},
                     record.rule,
                     k,
                     c.suspect_values[k],
                     c.outputs[k],
                     c.marks[k]};
  }
}

}  // namespace

void start_report_tally(ReportTally& tally, const RuleTable& table) {
  tally.suspect_total = 0;
  for (int i = 0; i < table.rule_count; ++i) {
    const RuleSet& r = table.rule_sets[i];
    for (int k = 0; k < r.output_count; ++k)
      start_stats(tally.stats[i][k], r.low_limits[k], r.high_limits[k]);
    UnitList& list = tally.units[i];
    list.total = list.flagged = list.outside = list.suspect = list.shown = 0;
  }
}

void ReportTallying::record_converted(const ConvertedRecord& record) {
  keep_statistics(tally, record, table.rule_sets[record.rule]);
}
