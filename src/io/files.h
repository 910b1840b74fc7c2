// Opening, guarding and closing the files a run reads and writes.
#pragma once
#include <cstdio>
#include <initializer_list>

// Files are read and written in binary mode: every byte, line ends included, is what
// the file holds, on every system.

// fopen for reading that also refuses a directory, which fopen alone accepts.
std::FILE* open_for_reading(const char* name);

// fopen for writing (created or emptied). With a buffer, the stream writes through it
// in blocks of its size: a large file then takes few writes.
constexpr int kWriteBufferSize = 1 << 16;
std::FILE* open_for_writing(const char* name, char* buffer = nullptr);

// Names of files, of any number; nullptr entries are skipped.
struct NameList {
  const char* const* names;
  int count;
};

// Returns the name (as given) of the first file in `written` that is the same file as
// another one in `written` or as one in the `read_lists` lists of `read`, or nullptr
// when none clashes. Existing files compare by device and inode, names that do not
// exist yet by their resolved path; devices and other non-regular files never clash.
const char* find_clashing_output(NameList written, const NameList* read, int read_lists);

// The same, telling both files of the first clash: the written one and the file it is
// (another written one, or one read). False when none clashes.
struct Clash {
  const char* written;
  const char* other;
  bool other_written;
};
bool find_clash(NameList written, const NameList* read, int read_lists, Clash& clash);

// True when `name` lies in the folder `folder` (the same folder, by its identity where it
// exists, by its resolved path where it does not yet) and its last name `matches`.
bool names_file_in(const char* name, const char* folder, bool (*matches)(const char* base));

// The longest path this system can open, in characters.
#ifdef _WIN32
constexpr int kMaxPathLength = 259;
#else
constexpr int kMaxPathLength = 4095;
#endif

// True when `name` is a regular file or names no file yet: not a device, a pipe, a
// terminal or a folder.
bool is_regular_or_missing(const char* name);

// Closes a stream the run wrote. Returns false, after "Error writing file [name]" on
// the console, when a write failed or the close failed. Console streams that stood
// in for a file are only flushed.
bool close_written_file(std::FILE* f, const char* name);

// Closes every one of them in turn, as close_written_file does; true when all closed
// cleanly.
struct WrittenFile {
  std::FILE* stream;
  const char* name;
};
bool close_written_files(std::initializer_list<WrittenFile> files);
