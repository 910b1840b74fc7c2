// The console: where every message of a run goes, or nowhere while a preview runs.
#include "io/console.h"

#include <cstdarg>

std::FILE* console = stderr;

int console_printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = console ? std::vfprintf(console, format, args) : std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  return n;
}
