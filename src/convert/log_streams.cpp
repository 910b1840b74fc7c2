// The log and changes files of a conversion: created with their column header line,
// or standard output in their place.
#include "convert/log_streams.h"

#include "io/console.h"
#include "io/files.h"

std::FILE* open_log_stream(const char* name, const char* failure_message, char* buffer) {
  std::FILE* f = open_for_writing(name, buffer);
  if (!f) {
    console_printf("%s", failure_message);
    f = stdout;
  }
  std::fputs(kLogHeaderLine, f);
  return f;
}
