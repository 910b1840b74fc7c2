// Loading the rule selection file "rule.txt" and the rule files under "lib/".
#include "rules/rule_loader.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "io/files.h"
#include "io/line_reader.h"
#include "rules/compiled_rules.h"
#include "rules/rule_sources.h"
#include "rules/rule_table.h"
#include "text/scan.h"
#include "text/tokenizer.h"

LoadFailure load_failures[kMaxLoadFailures];
int load_failure_count;

namespace {

// A carriage return separates tokens like the newline, so that a library edited on
// Windows loads exactly like the same library with plain line ends.
constexpr const char* kDelimiters = " ,\t\n\r";

char line[kWholeLineSize];  // lines are read whole

// Where the positions of RuleSet i go: rule_sources, or one scratch entry when they
// are not wanted, so that a program that needs none keeps its memory.
bool recording;
RuleSource scratch;
RuleSource& source_of(int i) { return recording ? rule_sources[i] : scratch; }

int column_of(const char* token) { return token ? static_cast<int>(token - line) + 1 : 0; }

void record_failure(LoadProblem problem, const char* file, int line_number, int column,
                    const char* what) {
  if (load_failure_count < kMaxLoadFailures) {
    LoadFailure& f = load_failures[load_failure_count];
    f.problem = problem;
    std::snprintf(f.file, sizeof f.file, "%s", file);
    f.line = line_number;
    f.column = column;
    f.what = what;
  }
  ++load_failure_count;
}

bool limit_exceeded(const char* file, int line_number, const char* token, const char* what) {
  std::fprintf(stderr, "Rule library limit exceeded in [%s] line %d: %s\n", file, line_number,
               what);
  record_failure(LoadProblem::limit_exceeded, file, line_number, column_of(token), what);
  return false;
}

bool too_long(const char* text, int field_size) {
  return text && std::strlen(text) > static_cast<std::size_t>(field_size - 1);
}

void copy_text(char* field, const char* text) {
  if (text) std::strcpy(field, text);  // lengths are checked before
}

bool read_pairs(std::FILE* f, const LoadOptions& options) {
  const char* file = "rule.txt";
  bool ok = true;
  int line_number = 0;
  while (read_whole_line(f, line, sizeof line)) {
    ++line_number;
    if (line[0] == '\n' || line[0] == '\r') break;  // an empty line ends the list
    if (line[0] == '#') continue;
    Tokenizer t;
    tokenizer_start(t, line);
    const char* from = next_token(t, kDelimiters);
    const char* to = next_token(t, kDelimiters);
    if (!to) continue;
    if (rule_table.rule_count == kMaxRuleSets)
      return limit_exceeded(file, line_number, nullptr, "more than 128 pairs");
    if (too_long(from, kNameSize) || too_long(to, kNameSize)) {
      ok = limit_exceeded(file, line_number, too_long(from, kNameSize) ? from : to,
                          "name longer than 15 characters");
      if (options.keep_going) continue;
      return false;
    }
    RuleSource& source = source_of(rule_table.rule_count);
    source = RuleSource{};
    source.pair_line = line_number;
    source.from_column = static_cast<int16_t>(column_of(from));
    source.to_column = static_cast<int16_t>(column_of(to));
    RuleSet& r = rule_table.rule_sets[rule_table.rule_count++];
    std::strcpy(r.from_model, from);
    std::strcpy(r.to_model, to);
    if (options.echo_pairs) std::fprintf(stderr, "[%-8.8s] [%-8.8s]\n", r.from_model, r.to_model);
  }
  return ok;
}

bool read_rule_file(std::FILE* f, const char* file, RuleSet& r, RuleSource& source) {
  int line_number = 0;
  const char* section_full = "more than 64 lines in a section";

  // Input section, up to a line that begins with "@end".
  while (read_whole_line(f, line, sizeof line)) {
    ++line_number;
    if (line[0] == '#') continue;
    if (std::strncmp(line, "@end", 4) == 0) {
      source.input_end_line = line_number;
      break;
    }
    if (r.input_count == kMaxParameters)
      return limit_exceeded(file, line_number, nullptr, section_full);
    Tokenizer t;
    tokenizer_start(t, line);
    const char* name = next_token(t, kDelimiters);
    const char* value = next_token(t, kDelimiters);
    if (too_long(name, kNameSize))
      return limit_exceeded(file, line_number, name, "name longer than 15 characters");
    int k = r.input_count++;
    source.input_lines[k] = line_number;
    source.input_columns[k] = static_cast<int16_t>(column_of(name));
    copy_text(r.input_names[k], name);
    if (value) scan_float(value, &r.input_values[k]);
  }

  // Output section, up to a line that begins with "$end".
  while (read_whole_line(f, line, sizeof line)) {
    ++line_number;
    if (line[0] == '#') continue;
    if (std::strncmp(line, "$end", 4) == 0) {
      source.output_end_line = line_number;
      break;
    }
    if (r.output_count == kMaxParameters)
      return limit_exceeded(file, line_number, nullptr, section_full);
    Tokenizer t;
    tokenizer_start(t, line);
    const char* tokens[kOutputTokens];
    for (const char*& token : tokens) token = next_token(t, kDelimiters);
    const char* assignment = tokens[kAssignmentToken];
    const char* test = tokens[kTestToken];
    const char* replace = tokens[kReplaceToken];

    // The name is the part before the first "="; without one, the whole token.
    std::size_t name_length = 0;
    if (assignment) {
      const char* equals = std::strchr(assignment, '=');
      name_length =
          equals ? static_cast<std::size_t>(equals - assignment) : std::strlen(assignment);
    }
    if (name_length > kNameSize - 1)
      return limit_exceeded(file, line_number, assignment, "name longer than 15 characters");
    for (const char* text : {assignment, test, replace}) {
      if (too_long(text, kExpressionSize))
        return limit_exceeded(file, line_number, text, "expression longer than 63 characters");
    }

    int k = r.output_count++;
    source.outputs[k].line = line_number;
    for (int i = 0; i < kOutputTokens; ++i)
      source.outputs[k].column[i] = static_cast<int16_t>(column_of(tokens[i]));
    if (assignment) {
      std::memcpy(r.output_names[k], assignment, name_length);
      r.output_names[k][name_length] = '\0';
    }
    copy_text(r.expressions[k], assignment);
    if (tokens[kLowToken]) scan_float(tokens[kLowToken], &r.low_limits[k]);
    if (tokens[kHighToken]) scan_float(tokens[kHighToken], &r.high_limits[k]);
    float sum = r.low_limits[k] + r.high_limits[k];
    r.output_values[k] = sum / 2.0f;
    copy_text(r.test_expressions[k], test);
    copy_text(r.replace_expressions[k], replace ? replace : "NULL");
  }
  r.found_count = 0;
  r.converted_count = 0;
  source.file_read = true;
  return true;
}

}  // namespace

void rule_file_path(int i, char* buf, std::size_t size) {
  const RuleSet& r = rule_table.rule_sets[i];
  std::snprintf(buf, size, "lib/%s-%s", r.from_model, r.to_model);
}

int list_rule_library_files(const char** names) {
  static char paths[kMaxRuleSets][kRulePathSize];
  int count = 0;
  names[count++] = "rule.txt";
  for (int i = 0; i < rule_table.rule_count; ++i) {
    rule_file_path(i, paths[i], sizeof paths[i]);
    names[count++] = paths[i];
  }
  return count;
}

bool load_rules(const LoadOptions& options) {
  load_failure_count = 0;
  recording = options.record_sources;
  std::FILE* f = open_for_reading("rule.txt");
  if (!f) {
    std::fprintf(stderr, "Unable to open the rule selection file\n");
    record_failure(LoadProblem::missing_selection_file, "rule.txt", 0, 0, nullptr);
    return false;
  }
  bool ok = read_pairs(f, options);
  std::fclose(f);
  if (!ok && !options.keep_going) return false;

  for (int i = 0; i < rule_table.rule_count; ++i) {
    char path[kRulePathSize];
    rule_file_path(i, path, sizeof path);
    std::FILE* rf = open_for_reading(path);
    if (!rf) {
      std::fprintf(stderr, options.missing_rule_file_format, path);
      const RuleSource& source = source_of(i);
      record_failure(LoadProblem::missing_rule_file, path, source.pair_line, source.from_column,
                     nullptr);
      if (!options.keep_going) return false;
      ok = false;
      continue;
    }
    source_of(i).file_opened = true;
    const bool read = read_rule_file(rf, path, rule_table.rule_sets[i], source_of(i));
    std::fclose(rf);
    if (!read && !options.keep_going) return false;
    ok = ok && read;
  }
  compile_rule_table();
  return ok;
}

bool load_rules(const char* missing_rule_file_format) {
  return load_rules(LoadOptions{missing_rule_file_format, true, false, false});
}
