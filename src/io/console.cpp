// The console: where every message of a run goes, or nowhere while a preview runs.
#include "io/console.h"

#include <cstdarg>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

std::FILE* console = stderr;

void use_binary_console() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
}

int console_printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int n =
      console ? std::vfprintf(console, format, args) : std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  return n;
}
