// Pieces the conversion report's sections share: cells, sortable tables and the names
// and headings of rules.
#pragma once
#include <initializer_list>

#include "rulecheck/report/html_writer.h"
#include "rules/rule_table.h"

void cell_text(Html& h, const char* content, bool code = false);
void cell_int(Html& h, int value, bool flag = false);
void cell_number(Html& h, double value);

// The head of a column: a head written ">name" is of a column of numbers.
void column_head(Html& h, const char* head);

// A table of the "sortable" kind: its head row, written by `heads`, and its body, whose
// rows `rows` writes; opened and closed here.
template <class Heads, class Rows>
void sortable_table(Html& h, const char* css_class, Heads&& heads, Rows&& rows) {
  Element table(h, "table");
  table.attr("class", css_class);
  raw(h, "\n");
  {
    Element thead(h, "thead");
    Element tr(h, "tr");
    heads();
  }
  raw(h, "\n");
  Element body(h, "tbody");
  raw(h, "\n");
  rows();
}

// The same with fixed heads.
template <class Rows>
void sortable_table(Html& h, std::initializer_list<const char*> heads, Rows&& rows) {
  sortable_table(
      h, "sortable",
      [&] {
        for (const char* head : heads) column_head(h, head);
      },
      rows);
}

// "from → to" in code.
void rule_name(Html& h, const RuleSet& r);

// The summary line of rule i's folding part: "Rule i: from → to" in a `heading` element.
void rule_summary(Html& h, const char* heading, int i, const RuleSet& r);
