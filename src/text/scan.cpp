// Number scanning with the C library's formatted-scan rules ("%f" and "%d").
#include "text/scan.h"

#include <cstdio>

// sscanf itself, not strtof/strtol: its acceptance of partial forms such as "infinit"
// differs from theirs, and data files are read the way the scan reads them.
bool scan_float(const char* text, float* target) {
  float value;
  if (std::sscanf(text, "%f", &value) != 1) return false;
  *target = value;
  return true;
}

bool scan_int(const char* text, int* target) {
  int value;
  if (std::sscanf(text, "%d", &value) != 1) return false;
  *target = value;
  return true;
}
