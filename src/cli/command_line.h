// What the command lines of the three programs share: usage, --help and --version, and
// the check that no file a run writes is one it reads or another it writes.
#pragma once
#include <initializer_list>

#include "rules/rule_table.h"

struct ProgramInfo {
  const char* name;   // "modelconv"
  const char* usage;  // "Usage: modelconv ...\n"
};

// True when argv[1] asks for help or the version: prints it on standard output and
// sets *status to 0.
bool handle_info_option(int argc, char** argv, const ProgramInfo& program, int* status);

// The usage line, on the console.
void print_usage(const ProgramInfo& program);

// False, after "Output file [name] is also used as another input or output" on the
// console, when a file of `written` is the same file as one of `read`, as "rule.txt",
// as a rule file of the table, or as another of `written`. nullptr entries are skipped.
bool run_files_are_distinct(const RuleTable& table, std::initializer_list<const char*> written,
                            std::initializer_list<const char*> read);
