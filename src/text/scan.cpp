// Number scanning with the C library's formatted-scan rules ("%f" and "%d").
#include "text/scan.h"

#include <cstdio>

#include <cstdlib>

// Data files are read the way the formatted scan reads them; its acceptance of partial
// forms such as "infinit" differs from strtof's. A token that begins like a decimal
// number is read the same by both (the scan hands its text to the same conversion), so
// those, nearly all tokens, take the faster strtof.
bool scan_float(const char* text, float* target) {
  const char* p = text + (*text == '+' || *text == '-');
  const bool decimal = is_digit(*p) || (*p == '.' && is_digit(p[1]));
  if (decimal && !(p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))) {
    char* end;
    float value = std::strtof(text, &end);
    if (end == text) return false;
    *target = value;
    return true;
  }
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
