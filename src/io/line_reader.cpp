// Reading input files by pieces of bounded length or by whole lines.
#include "io/line_reader.h"

#include <algorithm>
#include <cstring>

// One thread reads: the stream needs no lock per character.
#ifdef _WIN32
#define getc_fast _getc_nolock
#else
#define getc_fast getc_unlocked
#endif

void input_start(LineInput& in, std::FILE* file) {
  in.file = file;
  in.position = 0;
  in.end = 0;
  in.line = 0;
  in.piece_begins_line = true;
  in.newlines = 0;
}

int read_piece(LineInput& in, char* buf, int size) {
  // The piece begins a line when the one before it ended one.
  const bool begins_line = in.line == in.newlines;
  const int line = in.newlines + 1;
  int n = 0;
  while (n < size - 1) {
    if (in.position == in.end) {
      in.position = 0;
      in.end = static_cast<int>(std::fread(in.buffer, 1, sizeof in.buffer, in.file));
      if (in.end == 0) break;
    }
    const char* start = in.buffer + in.position;
    const int available = std::min(in.end - in.position, size - 1 - n);
    const char* newline =
        static_cast<const char*>(std::memchr(start, '\n', static_cast<std::size_t>(available)));
    const int take = newline ? static_cast<int>(newline - start) + 1 : available;
    std::memcpy(buf + n, start, static_cast<std::size_t>(take));
    n += take;
    in.position += take;
    if (newline) {
      ++in.newlines;
      break;
    }
  }
  if (n > 0) {
    buf[n] = '\0';
    in.piece_begins_line = begins_line;
    in.line = line;
  }
  return n;
}

bool read_whole_line(std::FILE* f, char* buf, int size) {
  int n = 0;
  bool any = false;
  for (;;) {
    int c = getc_fast(f);
    if (c == EOF) break;
    any = true;
    if (n < size - 1) buf[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buf[n] = '\0';
  return any;
}
