// The rules-used report "rulesused.txt" and the end-of-run rule summary.
#include "rules/rules_report.h"

#include "io/console.h"
#include "io/files.h"
#include "rules/rule_table.h"
#include "text/format.h"

std::FILE* write_rules_report(const RuleTable& table) {
  std::FILE* report = open_for_writing(kRulesReportFile);
  if (!report) {
    console_printf("Could not open 'rulesused' file\n");
    report = stdout;
  }
  const int count = table.rule_count;
  std::fprintf(report, "From                To\nModel               Model\n#\n");
  for (int i = 0; i < count; ++i) {
    const RuleSet& r = table.rule_sets[i];
    std::fprintf(report, "%-16.16s    %-16.16s\n", r.from_model, r.to_model);
  }
  std::fprintf(report, "#\n#\n#\n# Rule Files #\n");
  for (int i = 0; i < count; ++i) {
    const RuleSet& r = table.rule_sets[i];
    std::fprintf(report, "#\n%-16.16s    %-16.16s\n#\n", r.from_model, r.to_model);
    std::fprintf(
        report,
        "Input parameter     Output parameter       Low limit     High Limit   Test expn\n#\n");
    // The input name at the same index, blank where the rule has fewer inputs.
    for (int k = 0; k < r.output_count; ++k) {
      // "%-16.16s    %-16.16s %14.4f %14.4f    %-64.64s %s\n"
      char line[512];
      char* p = put_text(line, r.input_names[k], 16, 16);
      p = put_literal(p, "    ");
      p = put_text(p, r.expressions[k], 16, 16);
      *p++ = ' ';
      p = put_fixed(p, r.low_limits[k], 14, 4);
      *p++ = ' ';
      p = put_fixed(p, r.high_limits[k], 14, 4);
      p = put_literal(p, "    ");
      p = put_text(p, r.test_expressions[k], 64, 64);
      *p++ = ' ';
      p = put_text(p, r.replace_expressions[k], 0);
      *p++ = '\n';
      std::fwrite(line, 1, static_cast<std::size_t>(p - line), report);
    }
    std::fprintf(report, "#\n#\n");
  }
  console_printf("Completed reading the rule file\n");
  console_printf("Read %3d rules\n", count);
  std::fprintf(report, "\n\nRead %3d rules\n", count);
  return report;
}

void write_rule_summary(const RuleTable& table, const RuleState& state, std::FILE* report) {
  for (int i = 0; i < table.rule_count; ++i) {
    const RuleSet& r = table.rule_sets[i];
    const RuleCounts& c = state.counts[i];
    const char* format = "%2d [%-16.16s] [%-16.16s] found % 5d   converted %5d\n";
    console_printf(format, i, r.from_model, r.to_model, c.found, c.converted);
    std::fprintf(report, format, i, r.from_model, r.to_model, c.found, c.converted);
  }
}
