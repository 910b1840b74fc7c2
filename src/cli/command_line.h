// What the command lines of the three programs share: usage, --help and --version, and
// the start of a run, with the check that no file it writes is one it reads.
#pragma once
#include <cstdio>
#include <initializer_list>

#include "expr/compiled_library.h"
#include "io/line_reader.h"
#include "rules/rule_table.h"

struct ProgramInfo {
  const char* name;               // "modelconv"
  const char* usage;              // "Usage: modelconv ...\n"
  const char* missing_rule_file;  // its message for a rule file that cannot be opened
  // What --help tells besides the usage: what the program does (before the usage), its
  // arguments, the files it reads and writes, and its exit statuses (after it).
  const char* purpose;
  const char* details;
};

// The start of every program: the console streams made binary, then the command line.
// True when the run ends there, with *status set: argv[1] asks for --help (the purpose,
// the usage, the details and where the guide and manual page are) or --version, printed
// on standard output (status 0), or argc is below `needed` and the usage line goes to
// the console (status 1).
bool ends_at_command_line(int argc, char** argv, const ProgramInfo& program, int needed,
                          int* status);

// The usage line, on the console.
void print_usage(const ProgramInfo& program);

// The first file of `written` that is the same file as one of `read`, as "rule.txt", as
// a rule file of the table, or as another of `written`; nullptr when none clashes.
// nullptr entries are skipped.
const char* find_run_clash(const RuleTable& table, std::initializer_list<const char*> written,
                           std::initializer_list<const char*> read);

// What modelconv and modeltest hold from the start of a run on: the rule library
// (read-only once loaded), its working values and counts, and the files the start opens.
struct RunStart {
  RuleLibrary library;
  RuleState rules;
  std::FILE* report;  // the rules-used report, left open for the summary
  std::FILE* data;    // the input data file
};

// The start modelconv and modeltest share once their arguments are read: the rule
// library loaded (each line read whole into `line`) and compiled, no file written
// clashing with one read, the rules-used report written, the input (the first of
// `read`) opened. False after the message of what failed.
bool start_run(const ProgramInfo& program, std::initializer_list<const char*> written,
               std::initializer_list<const char*> read, WholeLine& line, RunStart& start);
