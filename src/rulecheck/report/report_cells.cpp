// Pieces the conversion report's sections share: cells, column heads, rule names and
// headings.
#include "rulecheck/report/report_cells.h"

#include <cstdio>

void cell_text(Html& h, const char* content, bool code) {
  Element td(h, "td");
  if (code) {
    element(h, "code", nullptr, content);
  } else {
    text(h, content);
  }
}

void cell_int(Html& h, int value, bool flag) {
  Element td(h, "td");
  td.attr("class", flag && value > 0 ? "n bad" : "n");
  integer(h, value);
}

void cell_number(Html& h, double value) {
  Element td(h, "td");
  td.attr("class", "n");
  number(h, value);
}

void column_head(Html& h, const char* head) {
  Element th(h, "th");
  if (head[0] == '>') th.attr("class", "n");
  text(h, head[0] == '>' ? head + 1 : head);
}

void rule_name(Html& h, const RuleSet& r) {
  Element code(h, "code");
  text(h, r.from_model);
  raw(h, " &rarr; ");
  text(h, r.to_model);
}

RulePart::RulePart(Html& h, const char* id_prefix, int i, const RuleSet& r, const char* heading,
                   bool open)
    : details_(h, "details") {
  char id[48];
  std::snprintf(id, sizeof id, "%s-%d", id_prefix, i);
  details_.attr("id", id);
  if (open) details_.attr("open", "open");
  raw(h, "\n");
  {
    Element summary(h, "summary");
    Element title(h, heading);
    text(h, "Rule ");
    integer(h, i);
    text(h, ": ");
    rule_name(h, r);
  }
  raw(h, "\n");
}
