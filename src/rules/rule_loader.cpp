// Loading the rule selection file "rule.txt" and the rule files under "lib/".
#include "rules/rule_loader.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "io/console.h"
#include "io/files.h"
#include "io/line_reader.h"
#include "text/scan.h"
#include "text/tokenizer.h"

namespace {

// A carriage return separates tokens like the newline, so that a library edited on
// Windows loads exactly like the same library with plain line ends.
constexpr const char* kDelimiters = " ,\t\n\r";

// One load: where it writes, and where the line in hand stands.
struct Load {
  RuleTable& table;
  LoadFailures& failures;
  RuleSources* sources;
  char* line;        // the line in hand, read whole into the caller's buffer
  const char* file;  // being read
  int line_number;
  RuleSource scratch;  // the positions nobody asked for
};

// Where the positions of RuleSet i go: the caller's sources, or the scratch entry.
RuleSource& source_of(Load& load, int i) {
  return load.sources ? load.sources->rule_sets[i] : load.scratch;
}

int column_of(const Load& load, const char* token) {
  return token ? static_cast<int>(token - load.line) + 1 : 0;
}

void record_failure(LoadFailures& failures, LoadProblem problem, const char* file, int line_number,
                    int column, Limit limit = Limit::pairs) {
  if (failures.count < kMaxLoadFailures) {
    LoadFailure& f = failures.items[failures.count];
    f.problem = problem;
    std::snprintf(f.file, sizeof f.file, "%s", file);
    f.line = line_number;
    f.column = column;
    f.limit = limit;
  }
  ++failures.count;
}

bool limit_exceeded(Load& load, const char* token, Limit limit) {
  record_failure(load.failures, LoadProblem::limit_exceeded, load.file, load.line_number,
                 column_of(load, token), limit);
  return false;
}

bool too_long(const char* text, int field_size) {
  return text && std::strlen(text) > static_cast<std::size_t>(field_size - 1);
}

void copy_text(char* field, const char* text) {
  if (text) std::strcpy(field, text);  // lengths are checked before
}

bool read_pairs(std::FILE* f, Load& load, bool keep_going) {
  bool ok = true;
  RuleTable& table = load.table;
  char* line = load.line;
  while (read_whole_line(f, line, kWholeLineSize)) {
    ++load.line_number;
    if (line[0] == '\n' || line[0] == '\r') break;  // an empty line ends the list
    if (line[0] == '#') continue;
    Tokenizer t;
    tokenizer_start(t, line);
    const char* from = next_token(t, kDelimiters);
    const char* to = next_token(t, kDelimiters);
    if (!to) continue;
    if (table.rule_count == kMaxRuleSets) return limit_exceeded(load, nullptr, Limit::pairs);
    if (too_long(from, kNameSize) || too_long(to, kNameSize)) {
      ok = limit_exceeded(load, too_long(from, kNameSize) ? from : to, Limit::name_length);
      if (keep_going) continue;
      return false;
    }
    RuleSource& source = source_of(load, table.rule_count);
    source = RuleSource{};
    source.pair_line = load.line_number;
    source.from_column = static_cast<int16_t>(column_of(load, from));
    source.to_column = static_cast<int16_t>(column_of(load, to));
    RuleSet& r = table.rule_sets[table.rule_count++];
    std::strcpy(r.from_model, from);
    std::strcpy(r.to_model, to);
    console_printf("[%-8.8s] [%-8.8s]\n", r.from_model, r.to_model);
  }
  return ok;
}

// Reads the lines of one section up to its end line, one that begins with `end_mark`
// in its first column. Comment lines are skipped; every other line goes to `take`,
// which returns false when a limit stops the reading. Returns the end line's number, 0
// at end of file, -1 when `take` stopped.
template <class Take>
int read_section(std::FILE* f, Load& load, const char* end_mark, Take take) {
  char* line = load.line;
  while (read_whole_line(f, line, kWholeLineSize)) {
    ++load.line_number;
    if (line[0] == '#') continue;
    if (std::strncmp(line, end_mark, 4) == 0) return load.line_number;
    if (!take()) return -1;
  }
  return 0;
}

// An input line: its name and starting value.
bool read_input_line(Load& load, RuleSet& r, RuleSource& source) {
  if (r.input_count == kMaxParameters) return limit_exceeded(load, nullptr, Limit::section_lines);
  Tokenizer t;
  tokenizer_start(t, load.line);
  const char* name = next_token(t, kDelimiters);
  const char* value = next_token(t, kDelimiters);
  if (too_long(name, kNameSize)) return limit_exceeded(load, name, Limit::name_length);
  const int k = r.input_count++;
  source.input_lines[k] = load.line_number;
  source.input_columns[k] = static_cast<int16_t>(column_of(load, name));
  copy_text(r.input_names[k], name);
  if (value) scan_float(value, &r.input_start[k]);
  return true;
}

// An output line: assignment, low and high limit, test and replace expression.
bool read_output_line(Load& load, RuleSet& r, RuleSource& source) {
  if (r.output_count == kMaxParameters) return limit_exceeded(load, nullptr, Limit::section_lines);
  Tokenizer t;
  tokenizer_start(t, load.line);
  const char* tokens[kOutputTokens];
  for (const char*& token : tokens) token = next_token(t, kDelimiters);
  const char* assignment = tokens[kAssignmentToken];
  // The name is the part before the first "="; without one, the whole token.
  std::size_t name_length = 0;
  if (assignment) {
    const char* equals = std::strchr(assignment, '=');
    name_length = equals ? static_cast<std::size_t>(equals - assignment) : std::strlen(assignment);
  }
  if (name_length > kNameSize - 1) return limit_exceeded(load, assignment, Limit::name_length);
  for (const char* text : {assignment, tokens[kTestToken], tokens[kReplaceToken]}) {
    if (too_long(text, kExpressionSize))
      return limit_exceeded(load, text, Limit::expression_length);
  }
  const int k = r.output_count++;
  source.outputs[k].line = load.line_number;
  for (int i = 0; i < kOutputTokens; ++i)
    source.outputs[k].column[i] = static_cast<int16_t>(column_of(load, tokens[i]));
  if (assignment) {
    std::memcpy(r.output_names[k], assignment, name_length);
    r.output_names[k][name_length] = '\0';
  }
  copy_text(r.expressions[k], assignment);
  if (tokens[kLowToken]) scan_float(tokens[kLowToken], &r.low_limits[k]);
  if (tokens[kHighToken]) scan_float(tokens[kHighToken], &r.high_limits[k]);
  const float sum = r.low_limits[k] + r.high_limits[k];
  r.output_start[k] = sum / 2.0f;
  copy_text(r.test_expressions[k], tokens[kTestToken]);
  const char* replace = tokens[kReplaceToken];
  copy_text(r.replace_expressions[k], replace ? replace : kNoReplacement);
  r.replacements[k] = replacement_of(r.replace_expressions[k]);
  return true;
}

bool read_rule_file(std::FILE* f, Load& load, RuleSet& r, RuleSource& source) {
  const int input_end =
      read_section(f, load, "@end", [&] { return read_input_line(load, r, source); });
  if (input_end < 0) return false;
  source.input_end_line = input_end;
  const int output_end =
      read_section(f, load, "$end", [&] { return read_output_line(load, r, source); });
  if (output_end < 0) return false;
  source.output_end_line = output_end;
  source.file_read = true;
  return true;
}

}  // namespace

void describe_limit(Limit limit, char* out, std::size_t size) {
  switch (limit) {
    case Limit::pairs:
      std::snprintf(out, size, "more than %d pairs", kMaxRuleSets);
      break;
    case Limit::section_lines:
      std::snprintf(out, size, "more than %d lines in a section", kMaxParameters);
      break;
    case Limit::name_length:
      std::snprintf(out, size, "name longer than %d characters", kNameSize - 1);
      break;
    case Limit::expression_length:
      std::snprintf(out, size, "expression longer than %d characters", kExpressionSize - 1);
      break;
  }
}

void print_load_failure(const LoadFailure& f, const char* missing_rule_file_format) {
  switch (f.problem) {
    case LoadProblem::missing_selection_file:
      console_printf("Unable to open the rule selection file\n");
      break;
    case LoadProblem::missing_rule_file:
      console_printf(missing_rule_file_format, f.file);
      break;
    case LoadProblem::limit_exceeded: {
      char what[64];
      describe_limit(f.limit, what, sizeof what);
      console_printf("Rule library limit exceeded in [%s] line %d: %s\n", f.file, f.line, what);
      break;
    }
  }
}

void rule_file_path(const RuleTable& table, int i, char* buf, std::size_t size) {
  const RuleSet& r = table.rule_sets[i];
  std::snprintf(buf, size, "lib/%s-%s", r.from_model, r.to_model);
}

void list_rule_library_files(const RuleTable& table, RuleLibraryFiles& files) {
  files.count = 0;
  files.names[files.count++] = kRuleSelectionFile;
  for (int i = 0; i < table.rule_count; ++i) {
    rule_file_path(table, i, files.paths[i], sizeof files.paths[i]);
    files.names[files.count++] = files.paths[i];
  }
}

bool load_rules(RuleTable& table, const LoadOptions& options, LoadFailures& failures,
                WholeLine& line) {
  failures.count = 0;
  std::FILE* f = open_for_reading(kRuleSelectionFile);
  if (!f) {
    record_failure(failures, LoadProblem::missing_selection_file, kRuleSelectionFile, 0, 0);
    return false;
  }
  Load load{table, failures, options.sources, line.text, kRuleSelectionFile, 0, RuleSource{}};
  bool ok = read_pairs(f, load, options.keep_going);
  std::fclose(f);
  if (!ok && !options.keep_going) return false;
  for (int i = 0; i < table.rule_count; ++i) {
    char path[kRulePathSize];
    rule_file_path(table, i, path, sizeof path);
    RuleSource& source = source_of(load, i);
    std::FILE* rf = open_for_reading(path);
    if (!rf) {
      record_failure(failures, LoadProblem::missing_rule_file, path, source.pair_line,
                     source.from_column);
      if (!options.keep_going) return false;
      ok = false;
      continue;
    }
    source.file_opened = true;
    load.file = path;
    load.line_number = 0;
    const bool read = read_rule_file(rf, load, table.rule_sets[i], source);
    std::fclose(rf);
    if (!read && !options.keep_going) return false;
    ok = ok && read;
  }
  return ok;
}
