// Findings of the rule checker, one line each in the form compilers use:
// "file:line:column: severity: message", the column left out where no token is concerned.
#include "rulecheck/findings/findings.h"

#include <cstdarg>

void report(Findings& findings, Severity severity, SourcePoint at, const char* format, ...) {
  std::FILE* out = findings.out;
  std::fprintf(out, "%s:", at.file);
  if (at.line > 0) std::fprintf(out, "%d:", at.line);
  if (at.line > 0 && at.column > 0) std::fprintf(out, "%d:", at.column);
  const char* word = severity == Severity::error     ? "error"
                     : severity == Severity::warning ? "warning"
                                                     : "note";
  std::fprintf(out, " %s: ", word);
  va_list args;
  va_start(args, format);
  std::vfprintf(out, format, args);
  va_end(args);
  std::fputc('\n', out);
  if (severity == Severity::error) ++findings.errors;
  if (severity == Severity::warning) ++findings.warnings;
}

void write_finding_totals(const Findings& f) {
  std::fprintf(f.out, "%d error%s, %d warning%s\n", f.errors, f.errors == 1 ? "" : "s", f.warnings,
               f.warnings == 1 ? "" : "s");
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
