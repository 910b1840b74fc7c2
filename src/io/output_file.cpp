// A data file that a run writes whole or not at all: written under a temporary name
// beside it and moved to its own name only when the run closes it cleanly.
#include "io/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "io/console.h"
#include "io/files.h"

#ifdef _WIN32
#include <io.h>
#include <share.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// The temporary files being written, for a signal that ends the run to remove them:
// the one place where this state is kept, since a signal handler can be handed nothing.
constexpr int kMaxPending = 4;
const char* volatile pending[kMaxPending];

extern "C" void remove_pending_and_stop(int signal_number) {
  for (const char* volatile& name : pending) {
    if (name) std::remove(name);
  }
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

void watch(const char* temporary) {
  // Set again for every file: setting a handler twice changes nothing.
  std::signal(SIGINT, remove_pending_and_stop);
  std::signal(SIGTERM, remove_pending_and_stop);
#ifndef _WIN32
  std::signal(SIGHUP, remove_pending_and_stop);
  // A write beyond the file size limit then fails, and the run ends as after any
  // write error, instead of being killed with its temporary file left behind.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  for (const char* volatile& name : pending) {
    if (!name) {
      name = temporary;
      return;
    }
  }
}

void unwatch(const char* temporary) {
  for (const char* volatile& name : pending) {
    if (name == temporary) name = nullptr;
  }
}

// ".NAME.partial-XXXXXX" in the folder of `target`; false when it does not fit.
bool temporary_name(const char* target, char* out) {
  const char* base = target;
  for (const char* p = target; *p; ++p) {
    if (*p == '/' || *p == '\\') base = p + 1;
  }
  const int folder = static_cast<int>(base - target);
  const int n = std::snprintf(out, kPathSize, "%.*s.%s.partial-XXXXXX", folder, target, base);
  return n > 0 && n < kPathSize;
}

#ifdef _WIN32
std::FILE* create_exclusively(char* name) {
  if (_mktemp_s(name, std::strlen(name) + 1) != 0) return nullptr;
  int fd = -1;
  if (_sopen_s(&fd, name, _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _SH_DENYNO,
               _S_IREAD | _S_IWRITE) != 0)
    return nullptr;
  return _fdopen(fd, "wb");
}

bool resolve_target(const char* name, char* target) {
  std::snprintf(target, kPathSize, "%s", name);
  return true;
}

bool move_into_place(const char* temporary, const char* target) {
  return MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING) != 0;
}
#else
// The new file gets the mode of the file it replaces, or the mode a new file gets.
std::FILE* create_exclusively(char* name, const char* target) {
  const int fd = mkstemp(name);
  if (fd < 0) return nullptr;
  struct stat st;
  mode_t mode;
  if (stat(target, &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  std::FILE* f = fchmod(fd, mode) == 0 ? fdopen(fd, "wb") : nullptr;
  if (!f) {
    close(fd);
    std::remove(name);
  }
  return f;
}

// A link is followed: the file it names is the one replaced. A link to nothing is
// written directly, as it would be without the temporary file.
bool resolve_target(const char* name, char* target) {
  struct stat st;
  if (lstat(name, &st) != 0 || !S_ISLNK(st.st_mode)) {
    std::snprintf(target, kPathSize, "%s", name);
    return true;
  }
  char real[PATH_MAX + 1];  // realpath writes up to PATH_MAX characters
  if (!realpath(name, real) || std::strlen(real) >= static_cast<std::size_t>(kPathSize))
    return false;
  std::strcpy(target, real);
  return true;
}

bool move_into_place(const char* temporary, const char* target) {
  return std::rename(temporary, target) == 0;
}
#endif

}  // namespace

bool open_output_file(OutputFile& file, const char* name, char* buffer) {
  file.name = name;
  file.temporary[0] = '\0';
  file.stream = nullptr;
  if (is_regular_or_missing(name) && resolve_target(name, file.target) &&
      temporary_name(file.target, file.temporary)) {
#ifdef _WIN32
    file.stream = create_exclusively(file.temporary);
#else
    file.stream = create_exclusively(file.temporary, file.target);
#endif
  }
  if (!file.stream) {
    file.temporary[0] = '\0';
    file.stream = open_for_writing(name, buffer);
    return file.stream != nullptr;
  }
  if (buffer) std::setvbuf(file.stream, buffer, _IOFBF, kWriteBufferSize);
  watch(file.temporary);
  return true;
}

bool close_output_file(OutputFile& file) {
  if (file.temporary[0] == '\0') return close_written_file(file.stream, file.name);
  const bool written = std::ferror(file.stream) == 0;
  const bool closed = std::fclose(file.stream) == 0;
  const bool ok = written && closed && move_into_place(file.temporary, file.target);
  if (!ok) {
    std::remove(file.temporary);
    console_printf("Error writing file [%s]\n", file.name);
  }
  unwatch(file.temporary);
  file.temporary[0] = '\0';
  return ok;
}

void discard_output_file(OutputFile& file) {
  std::fclose(file.stream);
  if (file.temporary[0] == '\0') return;
  std::remove(file.temporary);
  unwatch(file.temporary);
  file.temporary[0] = '\0';
}
