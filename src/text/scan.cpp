// Number scanning with the C library's formatted-scan rules ("%f" and "%d").
#include "text/scan.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>

// Data files are read the way the formatted scan reads them; its acceptance of partial
// forms such as "infinit" differs from the conversion functions'. A token that begins
// like a decimal number is read the same by the scan and by a correctly rounded
// conversion, so those, nearly all tokens, take std::from_chars; a value beyond the
// float range goes to strtof, which gives it as the scan does.
namespace {

constexpr float kPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                  1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

// The common short number, digits with a point and no exponent, whose digits make an
// integer M below 2^24 with at most 10 decimals: M and 10^decimals are exact floats,
// so their quotient is the correctly rounded value, as every conversion gives it.
bool scan_short_decimal(const char* text, float* target) {
  const char* s = text;
  const bool negative = *s == '-';
  if (*s == '+' || *s == '-') ++s;
  uint32_t m = 0;
  int decimals = 0;
  bool point = false;
  for (;; ++s) {
    if (is_digit(*s)) {
      m = m * 10 + static_cast<uint32_t>(*s - '0');
      if (m > (uint32_t{1} << 24)) return false;
      decimals += point;
    } else if (*s == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (*s == 'e' || *s == 'E' || decimals > 10) return false;
  const float value = static_cast<float>(m) / kPowersOfTen[decimals];
  *target = negative ? -value : value;
  return true;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
bool is_hex_digit(char c) { return is_digit(c) || (lower(c) >= 'a' && lower(c) <= 'f'); }

// What the formatted scan makes of any other token, as the C library of the Linux
// build reads it, so that every build reads alike: blanks first, a sign, then "nan"
// (without the parenthesised part, which the scan leaves unread), "inf" or "infinity"
// (a cut "infinit" is no number), a hexadecimal number with at least one digit or a
// point, or a decimal number with at least one digit.
bool scan_other_float(const char* text, float* target) {
  const char* s = text;
  while (is_space(*s)) ++s;
  const bool negative = *s == '-';
  if (*s == '+' || *s == '-') ++s;
  float value;
  if (lower(*s) == 'n') {
    if (lower(s[1]) != 'a' || lower(s[2]) != 'n') return false;
    value = __builtin_nanf("");
  } else if (lower(*s) == 'i') {
    if (lower(s[1]) != 'n' || lower(s[2]) != 'f') return false;
    if (lower(s[3]) == 'i') {
      for (int i = 0; i < 5; ++i) {
        if (lower(s[3 + i]) != "inity"[i]) return false;
      }
    }
    value = __builtin_inff();
  } else {
    if (s[0] == '0' && lower(s[1]) == 'x') {
      const char* r = s + 2;
      if (!is_hex_digit(*r) && *r != '.') return false;  // "0x" alone is no number
    } else {
      const char* r = s + (*s == '.');
      if (!is_digit(*r)) return false;
    }
    // The scan hands the characters it takes to the conversion; for these forms the
    // conversion takes the same characters from the token itself.
    char* end;
    value = std::strtof(s, &end);
    if (end == s) return false;
    *target = negative ? -value : value;
    return true;
  }
  *target = negative ? -value : value;
  return true;
}

}  // namespace

bool scan_float(const char* text, float* target) {
  const char* p = text + (*text == '+' || *text == '-');
  const bool decimal = is_digit(*p) || (*p == '.' && is_digit(p[1]));
  if (decimal && !(p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))) {
    if (scan_short_decimal(text, target)) return true;
    const char* start = *text == '+' ? text + 1 : text;  // from_chars takes no "+"
    const char* end = start;
    while (*end != '\0') ++end;
    float value;
    const auto result = std::from_chars(start, end, value, std::chars_format::general);
    if (result.ec == std::errc()) {
      *target = value;
      return true;
    }
    char* stop;
    value = std::strtof(text, &stop);
    if (stop == text) return false;
    *target = value;
    return true;
  }
  return scan_other_float(text, target);
}

// "%d" reads like strtol in base 10 (blanks, a sign, digits) into a 64-bit long, as
// the C library of the Linux build does, and keeps the low 32 bits.
bool scan_int(const char* text, int* target) {
  char* end;
  const long long value = std::strtoll(text, &end, 10);
  if (end == text) return false;
  *target = static_cast<int>(value);
  return true;
}
