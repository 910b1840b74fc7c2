// Reading input files by pieces of bounded length or by whole lines.
#pragma once
#include <cstdio>

// A file read in large blocks, whose lines are then found with memchr: the data file.
constexpr int kInputBufferSize = 1 << 16;
struct LineInput {
  std::FILE* file;
  int position;  // of the next character in buffer
  int end;       // of what buffer holds
  // Where the last piece read stands: the 1-based line of the file it belongs to
  // (every newline counted), and whether it begins that line or is a later piece of a
  // line longer than the read limit. At the end of the file, `line` is the number of
  // lines the file has.
  int line;
  bool piece_begins_line;
  int newlines;  // read so far
  char buffer[kInputBufferSize];
};
void input_start(LineInput& in, std::FILE* file);

// Reads characters up to and including the next newline, at most size-1 of them, into
// buf and NUL-terminates it. Returns the number of characters read (NUL bytes of the
// file included), 0 at end of file (buf is then left as it was).
int read_piece(LineInput& in, char* buf, int size);

// Room for a line read whole: any sensible line of a rule file or bus list many times over.
constexpr int kWholeLineSize = 1 << 20;
// The buffer of such a line, owned by the run that reads rule files and bus lists.
struct WholeLine {
  char text[kWholeLineSize];
};

// Reads one whole line, newline included. Keeps at most size-1 characters in buf and
// drops the rest of a longer line, so that its tail never reads as a line of its own.
// Returns false at end of file.
bool read_whole_line(std::FILE* f, char* buf, int size);
