// Pieces the conversion report's sections share: cells, sortable tables, and the part of
// the report that tells one rule.
#pragma once
#include <initializer_list>

#include "rulecheck/html_report.h"
#include "rulecheck/html_writer.h"

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

// Whether the report opens rule i's part: something in it asks for a look.
bool rule_needs_a_look(const ReportInput& in, int i);

// The "Responses" section: the response check's outcomes, plots and records that did not
// pass (only when in.responses is set).
void write_responses(Html& h, const ReportInput& in);

// Rule i's part, folded in a details element: its counts, the values records hold that
// it does not read, its output parameters with their histograms, and its units.
void write_rule(Html& h, const ReportInput& in, int i);
