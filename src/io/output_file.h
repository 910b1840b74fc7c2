// A data file that a run writes whole or not at all: written under a temporary name
// beside it and moved to its own name only when the run closes it cleanly.
#pragma once
#include <cstdio>

constexpr int kPathSize = 4096;

struct OutputFile {
  std::FILE* stream;
  const char* name;           // as given, as messages name it
  char temporary[kPathSize];  // the file being written; empty when written directly
  char target[kPathSize];     // the name it moves to: the given one, or the file a link names
};

// Opens `name` for writing (through `buffer` of kWriteBufferSize, see open_for_writing).
// A regular file, or a name that does not exist yet, is written to a new file of its
// folder (".NAME.partial-XXXXXX", created exclusively), so that a file already under
// the name keeps its content until the run finishes; a device, pipe or terminal, and a
// file whose folder takes no new file, are written directly. False when it cannot be
// opened either way.
bool open_output_file(OutputFile& file, const char* name, char* buffer);

// Closes the file and moves it to its name. False, after "Error writing file [name]"
// on the console, when a write, the close or the move failed: the temporary file is
// removed, and the name holds what it held before.
bool close_output_file(OutputFile& file);

// Closes and removes the temporary file of a run that ends early.
void discard_output_file(OutputFile& file);
