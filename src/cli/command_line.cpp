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
    std::printf(
        "%s\n\n%s\n%s\nMore: the user guide, guide.md in share/doc/modelconv under the folder the "
        "programs\nwere installed to (/usr/local by default, /usr for the Debian package), "
        "and the manual\npage: man %s.\n",
        program.purpose, program.usage, program.details, program.name);
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

// Loads the rule library of the working folder as the programs load it, and compiles
// it. False, after the failure's message on the console, when it does not load.
bool load_rule_library(RuleLibrary& library, WholeLine& line, const ProgramInfo& program) {
  LoadFailures failures;
  if (!load_rules(library.table, LoadOptions{false, nullptr}, failures, line)) {
    print_load_failure(failures.items[0], program.missing_rule_file);
    return false;
  }
  compile_library(library.table, library.compiled);
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
  RuleLibraryFiles library;
  list_rule_library_files(table, library);
  const NameList read_lists[] = {{read.begin(), static_cast<int>(read.size())},
                                 {library.names, library.count}};
  return find_clashing_output(NameList{written.begin(), static_cast<int>(written.size())},
                              read_lists, 2);
}

bool start_run(const ProgramInfo& program, std::initializer_list<const char*> written,
               std::initializer_list<const char*> read, WholeLine& line, RunStart& start) {
  if (!load_rule_library(start.library, line, program)) return false;
  start_rule_state(start.library.table, start.rules);
  if (!run_files_are_distinct(start.library.table, written, read)) return false;
  start.report = write_rules_report(start.library.table);
  start.data = open_for_reading(*read.begin());
  if (!start.data) {
    console_printf("Unable to open input file\n");
    return false;
  }
  return true;
}
