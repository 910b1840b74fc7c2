// Findings of the rule checker, one line each in the form compilers use:
// "file:line:column: severity: message", the column left out where no token is concerned.
#pragma once
#include <cstdio>

// A note says what was not checked and why; it is not counted.
enum class Severity { error, warning, note };

struct SourcePoint {
  const char* file;  // as the programs name it: "rule.txt" or "lib/from-to"
  int line;          // 1-based; 0: the file as a whole
  int column;        // 1-based; 0: the whole line
};

// Where a run's findings go, and how many errors and warnings it has reported: the
// run's last line and its exit status count them all.
struct Findings {
  std::FILE* out;  // standard output
  int errors;
  int warnings;
};

// Writes one finding and counts it.
void report(Findings& findings, Severity severity, SourcePoint at, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

// The last line: "N errors, M warnings".
void write_finding_totals(const Findings& findings);

// Writes `text` (at most `length` characters) into `out` as a finding quotes it:
// characters outside printable ASCII as \xNN.
void quote_text(const char* text, int length, char* out, int size);
