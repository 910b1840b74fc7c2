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

// A sortable table of a row per rule of `table`: its index, from-model and to-model, then
// the cells `cells(i)` writes under `heads`.
template <class Cells>
void rule_table(Html& h, const RuleTable& table, std::initializer_list<const char*> heads,
                Cells&& cells) {
  sortable_table(
      h, "sortable",
      [&] {
        for (const char* head : {">rule", "from", "to"}) column_head(h, head);
        for (const char* head : heads) column_head(h, head);
      },
      [&] {
        for (int i = 0; i < table.rule_count; ++i) {
          {
            Element tr(h, "tr");
            cell_int(h, i);
            cell_text(h, table.rule_sets[i].from_model, true);
            cell_text(h, table.rule_sets[i].to_model, true);
            cells(i);
          }
          raw(h, "\n");
        }
      });
}

// "from → to" in code.
void rule_name(Html& h, const RuleSet& r);

// Rule i's folding part: a details element with the id `id_prefix`-i, open when `open`,
// and its summary line "Rule i: from → to" in a `heading` element; closed when the scope
// ends.
class RulePart {
 public:
  RulePart(Html& h, const char* id_prefix, int i, const RuleSet& r, const char* heading,
           bool open);

 private:
  Element details_;
};
