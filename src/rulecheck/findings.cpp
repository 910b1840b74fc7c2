// Findings of the rule checker, one line each in the form compilers use:
// "file:line:column: severity: message", the column left out where no token is concerned.
#include "rulecheck/findings.h"

#include <cstdarg>

namespace {
// The totals of the run's findings: a finding may be reported from any check, and the
// run's last line and exit status count them all. Only report() and reset_findings()
// change them.
int errors;
int warnings;
}  // namespace

void report(Severity severity, SourcePoint at, const char* format, ...) {
  std::printf("%s:", at.file);
  if (at.line > 0) std::printf("%d:", at.line);
  if (at.line > 0 && at.column > 0) std::printf("%d:", at.column);
  std::printf(" %s: ", severity == Severity::error ? "error" : "warning");
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::printf("\n");
  ++(severity == Severity::error ? errors : warnings);
}

int error_count() { return errors; }
void reset_findings() { errors = warnings = 0; }

void write_finding_totals(std::FILE* f) {
  std::fprintf(f, "%d error%s, %d warning%s\n", errors, errors == 1 ? "" : "s", warnings,
               warnings == 1 ? "" : "s");
}

void quote_text(const char* text, int length, char* out, int size) {
  int n = 0;
  for (int i = 0; i < length && text[i] != '\0' && n < size - 5; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7f) {
      out[n++] = static_cast<char>(c);
    } else {
      n += std::snprintf(out + n, static_cast<std::size_t>(size - n), "\\x%02x", c);
    }
  }
  out[n] = '\0';
}
