// What the command lines of the three programs share: usage, --help and --version, and
// the start of a run, with the check that no file it writes is one it reads.
#include "cli/command_line.h"

#include <cstdio>
#include <cstring>

#include "io/console.h"
#include "io/files.h"
#include "rules/rule_loader.h"
#include "rules/rules_report.h"

bool ends_at_command_line(int argc, char** argv, const ProgramInfo& program, int needed,
                          int* status) {
  use_binary_console();
  *status = 0;
  if (argc >= 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(program.usage, stdout);
    return true;
  }
  if (argc >= 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s %s\n", program.name, PROGRAM_VERSION);
    return true;
  }
  if (argc >= needed) return false;
  print_usage(program);
  *status = 1;
  return true;
}

void print_usage(const ProgramInfo& program) { console_printf("%s", program.usage); }

namespace {

// Loads the rule library of the working folder into the table as the programs load
// it, and compiles it. False, after the failure's message on the console, when it
// does not load.
bool load_rule_library(RuleTable& table, CompiledLibrary& library, const ProgramInfo& program) {
  static LoadFailures failures;
  if (!load_rules(table, LoadOptions{false, nullptr}, failures)) {
    report_load_failure(failures.items[0], program.missing_rule_file);
    return false;
  }
  compile_library(table, library);
  return true;
}

// False, after "Output file [name] is also used as another input or output" on the
// console, when find_run_clash finds one.
bool run_files_are_distinct(const RuleTable& table, std::initializer_list<const char*> written,
                            std::initializer_list<const char*> read) {
  const char* clash = find_run_clash(table, written, read);
  if (clash) console_printf("Output file [%s] is also used as another input or output\n", clash);
  return !clash;
}

}  // namespace

const char* find_run_clash(const RuleTable& table, std::initializer_list<const char*> written,
                           std::initializer_list<const char*> read) {
  constexpr int kMaxWritten = 8;
  constexpr int kMaxRead = 4;
  const char* outputs[kMaxWritten];
  int output_count = 0;
  for (const char* name : written) {
    if (name && output_count < kMaxWritten) outputs[output_count++] = name;
  }
  static RuleLibraryFiles library;
  list_rule_library_files(table, library);
  const char* inputs[kMaxRuleSets + 1 + kMaxRead];
  int input_count = 0;
  for (const char* name : read) {
    if (name && input_count < kMaxRead) inputs[input_count++] = name;
  }
  for (int i = 0; i < library.count; ++i) inputs[input_count++] = library.names[i];
  return find_clashing_output(outputs, output_count, inputs, input_count);
}

bool start_run(const ProgramInfo& program, RuleTable& table, CompiledLibrary& library,
               std::initializer_list<const char*> written, std::initializer_list<const char*> read,
               RunStart& start) {
  if (!load_rule_library(table, library, program)) return false;
  if (!run_files_are_distinct(table, written, read)) return false;
  start.report = write_rules_report(table);
  start.in = open_for_reading(*read.begin());
  if (!start.in) {
    console_printf("Unable to open input file\n");
    return false;
  }
  return true;
}
