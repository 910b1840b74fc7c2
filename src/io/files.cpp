// Opening, guarding and closing the files a run reads and writes.
#include "io/files.h"

#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "io/console.h"

#ifndef PATH_MAX
#define PATH_MAX 4096
#endif

std::FILE* open_for_writing(const char* name, char* buffer) {
  std::FILE* f = std::fopen(name, "wb");
  if (f && buffer) std::setvbuf(f, buffer, _IOFBF, kWriteBufferSize);
  return f;
}

std::FILE* open_for_reading(const char* name) {
  std::FILE* f = std::fopen(name, "rb");
  if (!f) return nullptr;
  struct stat st;
  if (fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
    std::fclose(f);
    return nullptr;
  }
  return f;
}

namespace {

struct FileIdentity {
  bool exists;
  bool regular;
  dev_t device;
  ino_t inode;
  char resolved[PATH_MAX + 1];  // for names that do not exist yet
};

#ifdef _WIN32
// NUL, CON, AUX, PRN, COM1 to COM9 and LPT1 to LPT9 name devices in every folder, with
// any extension.
bool is_device_name(const char* name) {
  const char* base = name;
  for (const char* p = name; *p; ++p) {
    if (*p == '/' || *p == '\\' || *p == ':') base = p + 1;
  }
  char word[8] = {};
  int n = 0;
  for (; base[n] && base[n] != '.' && n < 7; ++n)
    word[n] = static_cast<char>(base[n] >= 'a' && base[n] <= 'z' ? base[n] - 32 : base[n]);
  if (base[n] && base[n] != '.') return false;
  for (const char* device : {"NUL", "CON", "AUX", "PRN"}) {
    if (std::strcmp(word, device) == 0) return true;
  }
  return n == 4 && (std::strncmp(word, "COM", 3) == 0 || std::strncmp(word, "LPT", 3) == 0) &&
         word[3] >= '1' && word[3] <= '9';
}

// Windows has no inode numbers: a file is known by its full path, in which "/" and "\"
// are one and letters of either case are alike.
void identify(const char* name, FileIdentity& id) {
  struct stat st;
  const bool device = is_device_name(name);
  id.exists = device || stat(name, &st) == 0;
  id.regular = !device && id.exists && S_ISREG(st.st_mode);
  id.device = 0;
  id.inode = 0;
  if (!_fullpath(id.resolved, name, sizeof id.resolved))
    std::snprintf(id.resolved, sizeof id.resolved, "%s", name);
  for (char* p = id.resolved; *p; ++p) {
    if (*p == '\\') *p = '/';
    if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p + 32);
  }
}

bool same_file(const FileIdentity& a, const FileIdentity& b) {
  if (a.exists != b.exists) return false;
  if (a.exists && !(a.regular && b.regular)) return false;
  return std::strcmp(a.resolved, b.resolved) == 0;
}
#else
void identify(const char* name, FileIdentity& id) {
  struct stat st;
  id.exists = stat(name, &st) == 0;
  id.regular = id.exists && S_ISREG(st.st_mode);
  id.device = id.exists ? st.st_dev : 0;
  id.inode = id.exists ? st.st_ino : 0;
  id.resolved[0] = '\0';
  if (id.exists) return;

  // Resolve the folder, which usually exists, and append the last name.
  const char* slash = std::strrchr(name, '/');
  char folder[PATH_MAX + 1];
  const char* base = name;
  if (slash) {
    size_t len = static_cast<size_t>(slash - name);
    if (len == 0) len = 1;  // "/name"
    if (len > PATH_MAX) len = PATH_MAX;
    std::memcpy(folder, name, len);
    folder[len] = '\0';
    base = slash + 1;
  } else {
    std::strcpy(folder, ".");
  }
  char real[PATH_MAX + 1];
  const char* parts[3] = {name, "", ""};
  if (realpath(folder, real)) parts[0] = real, parts[1] = "/", parts[2] = base;
  std::size_t n = 0;
  for (const char* part : parts) {
    for (const char* p = part; *p && n < PATH_MAX; ++p) id.resolved[n++] = *p;
  }
  id.resolved[n] = '\0';
}

bool same_file(const FileIdentity& a, const FileIdentity& b) {
  if (a.exists != b.exists) return false;
  if (a.exists) return a.regular && b.regular && a.device == b.device && a.inode == b.inode;
  return std::strcmp(a.resolved, b.resolved) == 0;
}
#endif

}  // namespace

bool find_clash(NameList written, const NameList* read, int read_lists, Clash& clash) {
  // Identities are found again for every pair: a run names a handful of files, and
  // no list of them has a capacity to run out of.
  FileIdentity out;
  FileIdentity other;
  for (int i = 0; i < written.count; ++i) {
    if (!written.names[i]) continue;
    identify(written.names[i], out);
    if (out.exists && !out.regular) continue;  // /dev/null and the like
    for (int j = 0; j < written.count; ++j) {
      if (j == i || !written.names[j]) continue;
      identify(written.names[j], other);
      if (same_file(out, other)) {
        clash = Clash{written.names[i], written.names[j], true};
        return true;
      }
    }
    if (!out.exists) continue;
    for (int l = 0; l < read_lists; ++l) {
      for (int r = 0; r < read[l].count; ++r) {
        if (!read[l].names[r]) continue;
        identify(read[l].names[r], other);
        if (other.exists && same_file(out, other)) {
          clash = Clash{written.names[i], read[l].names[r], false};
          return true;
        }
      }
    }
  }
  return false;
}

const char* find_clashing_output(NameList written, const NameList* read, int read_lists) {
  Clash clash;
  return find_clash(written, read, read_lists, clash) ? clash.written : nullptr;
}

namespace {

// The folder part of a name ("." for a bare name), and where its last name begins.
const char* split_folder(const char* name, char* folder, std::size_t size) {
  const char* base = name;
  for (const char* p = name; *p; ++p) {
    if (*p == '/'
#ifdef _WIN32
        || *p == '\\' || *p == ':'
#endif
    )
      base = p + 1;
  }
  std::size_t n = static_cast<std::size_t>(base - name);
  if (n == 0) {
    std::snprintf(folder, size, ".");
  } else {
    if (n > 1) --n;  // the separator, but not a root's
    if (n >= size) n = size - 1;
    std::memcpy(folder, name, n);
    folder[n] = '\0';
  }
  return base;
}

// Two folders are one: by device and inode where both exist, by their resolved paths
// (or the names as given) where one does not.
bool same_folder(const char* a, const char* b) {
  struct stat sa;
  struct stat sb;
  const bool a_exists = stat(a, &sa) == 0;
  const bool b_exists = stat(b, &sb) == 0;
#ifndef _WIN32
  if (a_exists && b_exists) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#endif
  if (a_exists != b_exists) return false;
  FileIdentity ia;
  FileIdentity ib;
  identify(a, ia);
  identify(b, ib);
  if (ia.resolved[0] && ib.resolved[0]) return std::strcmp(ia.resolved, ib.resolved) == 0;
  return std::strcmp(a, b) == 0;
}

}  // namespace

bool names_file_in(const char* name, const char* folder, bool (*matches)(const char* base)) {
  if (!name || !folder) return false;
  char own[PATH_MAX + 1];
  const char* base = split_folder(name, own, sizeof own);
  return matches(base) && same_folder(own, folder);
}

bool is_regular_or_missing(const char* name) {
  FileIdentity id;
  identify(name, id);
  return !id.exists || id.regular;
}

bool close_written_file(std::FILE* f, const char* name) {
  if (f == stdout || f == stderr) {  // a console stand-in is not one of the run's files
    std::fflush(f);
    return true;
  }
  bool had_error = std::ferror(f) != 0;
  bool ok = std::fclose(f) == 0 && !had_error;
  if (!ok) console_printf("Error writing file [%s]\n", name);
  return ok;
}

bool close_written_files(std::initializer_list<WrittenFile> files) {
  bool ok = true;
  for (const WrittenFile& f : files) ok = close_written_file(f.stream, f.name) && ok;
  return ok;
}
