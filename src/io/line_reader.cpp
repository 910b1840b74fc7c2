// Reading input files by pieces of bounded length or by whole lines.
#include "io/line_reader.h"

int read_piece(std::FILE* f, char* buf, int size) {
  int n = 0;
  while (n < size - 1) {
    int c = getc_unlocked(f);
    if (c == EOF) break;
    buf[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (n > 0) buf[n] = '\0';
  return n;
}

bool read_whole_line(std::FILE* f, char* buf, int size) {
  int n = 0;
  bool any = false;
  for (;;) {
    int c = getc_unlocked(f);
    if (c == EOF) break;
    any = true;
    if (n < size - 1) buf[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buf[n] = '\0';
  return any;
}
