// The console: the one path every message of every program takes to standard error,
// switched off for a quiet run or sent to another stream to be captured.
#include "io/console.h"

#include <cstdarg>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {
// The one mutable state of the process besides the RuleTable and the fixed buffers: a
// message may arise anywhere (deep inside an expression run by a preview), and where
// it goes belongs to the process, as standard error itself does. Only set_console
// changes it.
std::FILE* sink = stderr;
}  // namespace

void use_binary_console() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
}

std::FILE* set_console(std::FILE* to) {
  std::FILE* previous = sink;
  sink = to;
  return previous;
}

int console_printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = sink ? std::vfprintf(sink, format, args) : std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  return n;
}

void console_write(const char* bytes, std::size_t length) {
  if (sink) std::fwrite(bytes, 1, length, sink);
}

void console_flush() {
  if (sink) std::fflush(sink);
}

bool console_is_off() { return sink == nullptr; }
