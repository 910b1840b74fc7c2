// Checking a rule file against the record layouts of the model catalogue: inputs read
// from, and outputs written to, the positions their names hold in the models.
#include "rulecheck/check/layout_check.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "models/catalogue.h"

namespace {

// One side of a rule: its inputs against the from-model, or its outputs against the
// to-model.
struct Side {
  const char* what;  // "input" or "output"
  char sigil;        // "@" or "$": a name without it is no parameter any expression names
  const ModelEntry* model;
  const char (*names)[kNameSize];
  int count;
  const int32_t* lines;  // of each parameter in the rule file
  int end_line;          // of the section's end line, 0 when it has none
  bool checked;          // the model is known and at least half the names are its own
};

// The position in the model of the side's parameter k, -1 when it is none of the model's.
int model_position(const Side& side, int k) {
  const char* name = side.names[k];
  return name[0] == side.sigil ? position_of(*side.model, name) : -1;
}

int matching_names(const Side& side) {
  int matches = 0;
  for (int k = 0; k < side.count; ++k) matches += model_position(side, k) >= 0;
  return matches;
}

Side make_side(const char* what, char sigil, const char* model_name, const char (*names)[kNameSize],
               int count, const int32_t* lines, int end_line) {
  Side side{what, sigil, find_model(model_name), names, count, lines, end_line, false};
  side.checked = side.model && side.model->names && count > 0 && 2 * matching_names(side) >= count;
  return side;
}

// A rule that names a catalogue model's parameters by names of its own is left alone,
// with one note.
void note_own_names(const CheckedLibrary& lib, const Side& side, const char* file) {
  if (!side.model || side.checked || side.count == 0) return;
  report(lib.findings, Severity::note, SourcePoint{file, side.end_line, 0},
         "%d of the %d %s names are parameters of [%s]: the rule uses names of its own, so "
         "their positions are not checked",
         side.model->names ? matching_names(side) : 0, side.count, side.what, side.model->name);
}

// Parameters from `first` on that all stand `shift` positions from where their names
// belong (shift > 0: early, a slot before them is not written), at least two of them: a
// shifted tail, told once. `first` is -1 where the side has none.
struct Shift {
  int first;
  int shift;
};

Shift shifted_tail(const Side& side) {
  const ModelEntry& m = *side.model;
  const int last = side.count < m.count ? side.count : m.count;
  Shift tail{-1, 0};
  int shift = 0;
  int run = 0;
  for (int k = last - 1; k >= 0; --k) {
    const int p = model_position(side, k);
    if (p < 0) continue;
    if (run > 0 && p - k != shift) break;
    if (p == k) break;
    shift = p - k;
    ++run;
    if (run >= 2) tail = Shift{k, shift};
  }
  return tail;
}

// One finding for a shifted tail: where it begins and what the shift leaves out.
void report_shift(const CheckedLibrary& lib, const Side& side, const char* file,
                  const Shift& tail) {
  const ModelEntry& m = *side.model;
  const int k = tail.first;
  const int n = tail.shift > 0 ? tail.shift : -tail.shift;
  bool sure = true;
  for (int q = k; q < side.count && q < m.count; ++q) {
    const int p = model_position(side, q);
    if (p >= 0) sure = sure && q < m.confirmed_to && p < m.confirmed_to;
  }
  char count[32];
  std::snprintf(count, sizeof count, n == 1 ? "one position" : "%d positions", n);
  if (tail.shift > 0) {
    // "9 of ieeeg1 (t4)", "3, 4, 5 of exst1 (vimin, tc, tb)"
    char positions[96] = "";
    char names[160] = "";
    std::size_t at = 0;
    std::size_t named = 0;
    for (int q = k; q < k + n && q < m.count; ++q) {
      const int a = std::snprintf(positions + at, sizeof positions - at, "%s%d", q > k ? ", " : "",
                                  q + 1);
      const int b = std::snprintf(names + named, sizeof names - named, "%s%s", q > k ? ", " : "",
                                  m.names[q]);
      if (a > 0 && at + static_cast<std::size_t>(a) < sizeof positions)
        at += static_cast<std::size_t>(a);
      if (b > 0 && named + static_cast<std::size_t>(b) < sizeof names)
        named += static_cast<std::size_t>(b);
    }
    report(lib.findings, sure ? Severity::error : Severity::warning,
           SourcePoint{file, side.lines[k], 0},
           "%ss from line %d on stand %s early: position%s %s of %s (%s) %s not written%s",
           side.what, side.lines[k], count, n == 1 ? "" : "s", positions, m.name, names,
           n == 1 ? "is" : "are", sure ? "" : " (order not confirmed)");
  } else {
    report(lib.findings, sure ? Severity::error : Severity::warning,
           SourcePoint{file, side.lines[k], 0},
           "%ss from line %d on stand %s late: %s %s%s too many at or before that line%s",
           side.what, side.lines[k], count, n == 1 ? "one" : count, side.what,
           n == 1 ? "" : "s", sure ? "" : " (order not confirmed)");
  }
}

// Every parameter of the side at the position its name holds in the model; a tail that
// stands shifted by one count is told once, the positions it explains not again.
void check_positions(const CheckedLibrary& lib, const Side& side, const char* file) {
  if (!side.checked) return;
  const ModelEntry& m = *side.model;
  const Shift tail = shifted_tail(side);
  for (int k = 0; k < side.count; ++k) {
    if (k == tail.first) report_shift(lib, side, file, tail);
    const SourcePoint at{file, side.lines[k], 0};
    const char* name = side.names[k];
    if (k >= m.count) {
      const bool sure = order_confirmed(m);
      report(lib.findings, sure ? Severity::error : Severity::warning, at,
             "%s [%s]: position %d: %s has %d values%s", side.what, name, k + 1, m.name, m.count,
             sure ? "" : " (order not confirmed)");
      continue;
    }
    const int p = model_position(side, k);
    if (p < 0 || p == k) continue;
    if (tail.first >= 0 && k >= tail.first && p - k == tail.shift) continue;
    const bool sure = k < m.confirmed_to && p < m.confirmed_to;
    report(lib.findings, sure ? Severity::error : Severity::warning, at,
           "%s [%s]: position %d of %s holds %s; %s is position %d%s", side.what, name, k + 1,
           m.name, m.names[k], m.names[p], p + 1, sure ? "" : " (order not confirmed)");
  }
}

// The input slots whose values an assignment or a replacement takes.
void inputs_carried(const CheckedLibrary& lib, int i, bool* carried) {
  const RuleSet& r = lib.table().rule_sets[i];
  const CompiledRuleSet& c = lib.library.compiled.rule_sets[i];
  const Instruction* pool = lib.library.compiled.pool;
  for (int k = 0; k < r.output_count; ++k) {
    for (const Program* p : {&c.assignments[k], &c.replaces[k]}) {
      if (p == &c.replaces[k] && r.replacements[k] != Replacement::expression) continue;
      const Instruction* code = pool + p->first;
      for (int n = 0; n < p->count; n += slots_of(code[n]))
        if (code[n].op == Op::load_input) carried[code[n].slot] = true;
    }
  }
}

// True when one of `count` names is the model's parameter at `position`.
bool side_holds(const Side& side, int position) {
  for (int k = 0; k < side.count; ++k) {
    if (model_position(side, k) == position) return true;
  }
  return false;
}

// Parameters of the from-model that the rule does not carry, and that the to-model has
// under the same name but the rule does not write.
void check_dropped(const CheckedLibrary& lib, int i, const Side& in, const Side& out,
                   const char* file) {
  if (!in.checked || !out.checked) return;
  bool carried[kMaxParameters] = {};
  inputs_carried(lib, i, carried);
  const ModelEntry& from = *in.model;
  const ModelEntry& to = *out.model;
  char list[1024] = "";
  std::size_t used = 0;
  int dropped = 0;
  for (int q = 0; q < from.count; ++q) {
    const char* name = from.names[q];
    const int target = position_of(to, name);
    if (target < 0 || side_holds(out, target)) continue;
    bool read = false;
    for (int k = 0; k < in.count; ++k) read = read || (carried[k] && model_position(in, k) == q);
    if (read) continue;
    const int n = std::snprintf(list + used, sizeof list - used, "%s%s", dropped ? ", " : "", name);
    if (n > 0 && used + static_cast<std::size_t>(n) < sizeof list)
      used += static_cast<std::size_t>(n);
    ++dropped;
  }
  if (dropped == 0) return;
  report(lib.findings, Severity::warning, SourcePoint{file, out.end_line, 0},
         dropped == 1 ? "%s of %s is not carried to %s; that position reads 0"
                      : "%s of %s are not carried to %s; those positions read 0",
         list, from.name, to.name);
}

}  // namespace

void check_layouts(const CheckedLibrary& lib, int i, const char* file) {
  const RuleSet& r = lib.table().rule_sets[i];
  const RuleSource& s = lib.sources.rule_sets[i];
  int32_t output_lines[kMaxParameters];
  for (int k = 0; k < r.output_count; ++k) output_lines[k] = s.outputs[k].line;
  const Side in = make_side("input", '@', r.from_model, r.input_names, r.input_count, s.input_lines,
                            s.input_end_line);
  const Side out = make_side("output", '$', r.to_model, r.output_names, r.output_count,
                             output_lines, s.output_end_line);
  check_positions(lib, in, file);
  check_positions(lib, out, file);
  check_dropped(lib, i, in, out, file);
  note_own_names(lib, in, file);
  note_own_names(lib, out, file);
}
