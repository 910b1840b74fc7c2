// Number scanning with the C library's formatted-scan rules ("%f" and "%d").
#pragma once

// Both leave the target unchanged and return false when the text holds no number.
bool scan_float(const char* text, float* target);
bool scan_int(const char* text, int* target);
// True for A-Z and a-z only; bytes above 0x7f are never letters.
inline bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool is_digit(char c) { return c >= '0' && c <= '9'; }
// The C library's white space in the "C" locale: blank, tab, newline, vertical tab,
// form feed and carriage return.
inline bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
