// Formatting numbers and texts into a buffer without the general printf path, with the
// very bytes snprintf writes for the conversions the programs use (proven by tests).
#include "text/format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

inline char* copy_short(char* out, const char* text, int length) {
  std::memcpy(out, text, static_cast<std::size_t>(length));
  return out + length;
}

inline char* blanks(char* out, int count) {
  if (count <= 0) return out;
  if (count <= 16) {  // the usual field: one store of 16 blanks, of which count stay
    std::memcpy(out, "                ", 16);
  } else {
    std::memset(out, ' ', static_cast<std::size_t>(count));
  }
  return out + count;
}

inline char* pad(char* out, const char* text, int length, int width, bool left) {
  const int fill = width - length;
  if (!left) out = blanks(out, fill);
  out = copy_short(out, text, length);
  return left ? blanks(out, fill) : out;
}

// "00" to "99": two decimal digits at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// round(|value| * 10^P) with ties to even, as printf rounds, for a finite |value| below
// 1e14 given by the bits of its magnitude. value = m * 2^e exactly, so value * 10^P =
// m * 10^P * 2^e is rounded in integers: in 64 bits for a float widened to double
// (24 significant bits at most), in 128 for any other double.
template <int P>
uint64_t scaled_rounded(uint64_t magnitude) {
  const int biased = static_cast<int>(magnitude >> 52);
  uint64_t mantissa = magnitude & ((uint64_t{1} << 52) - 1);
  int exponent = -1074;  // subnormal
  if (biased != 0) {
    mantissa |= uint64_t{1} << 52;
    exponent = biased - 1075;
  }
  if (mantissa == 0) return 0;
  const int zeros = __builtin_ctzll(mantissa);
  mantissa >>= zeros;
  exponent += zeros;
  constexpr uint64_t kScale = P == 2 ? 100 : P == 3 ? 1000 : 10000;
  if (exponent >= 0) return (mantissa * kScale) << exponent;  // below 1e14 * 10^4 < 2^64
  const int k = -exponent;
  if (mantissa < (uint64_t{1} << 30)) {
    const uint64_t q = mantissa * kScale;  // below 2^44
    if (k >= 64) return 0;                 // q / 2^64 < 1/2
    const uint64_t rest = q & ((uint64_t{1} << k) - 1);
    const uint64_t half = uint64_t{1} << (k - 1);
    const uint64_t n = q >> k;
    return n + (rest > half || (rest == half && (n & 1)));
  }
  const unsigned __int128 q = static_cast<unsigned __int128>(mantissa) * kScale;  // below 2^67
  if (k >= 127) return 0;                                                         // q / 2^127 < 1/2
  const unsigned __int128 whole = q >> k;
  const unsigned __int128 rest = q - (whole << k);
  const unsigned __int128 half = static_cast<unsigned __int128>(1) << (k - 1);
  const uint64_t n = static_cast<uint64_t>(whole);
  return n + (rest > half || (rest == half && (n & 1)));
}

// n / 10^P with its point and P decimals, and a sign, written backwards to end at
// `end`; returns where it begins.
template <int P>
char* write_backwards(uint64_t n, bool negative, char* end) {
  constexpr uint64_t kScale = P == 2 ? 100 : P == 3 ? 1000 : 10000;
  uint64_t whole = n / kScale;
  uint32_t decimals = static_cast<uint32_t>(n % kScale);
  char* p = end;
  for (int i = P; i >= 2; i -= 2) {
    const char* pair = kDigitPairs + 2 * (decimals % 100);
    *--p = pair[1];
    *--p = pair[0];
    decimals /= 100;
  }
  if (P % 2) *--p = static_cast<char>('0' + decimals);
  *--p = '.';
  while (whole >= 100) {
    const char* pair = kDigitPairs + 2 * (whole % 100);
    *--p = pair[1];
    *--p = pair[0];
    whole /= 100;
  }
  if (whole >= 10) {
    *--p = kDigitPairs[2 * whole + 1];
    *--p = kDigitPairs[2 * whole];
  } else {
    *--p = static_cast<char>('0' + whole);
  }
  if (negative) *--p = '-';  // printf shows the sign of a negative value that rounds to 0
  return p;
}

template <int P>
char* put_fixed_exact(char* out, uint64_t magnitude, bool negative, int width, bool left) {
  char digits[32];
  char* end = digits + sizeof digits;
  const char* text = write_backwards<P>(scaled_rounded<P>(magnitude), negative, end);
  return pad(out, text, static_cast<int>(end - text), width, left);
}

}  // namespace

// Every other value: to_chars, which is exact too, and printf's texts for NaN and
// infinity, which carry the sign bit.
[[gnu::noinline]] static char* put_fixed_general(char* out, double value, int width, int precision,
                                                 bool left) {
  char digits[400];  // the widest double with its decimals
  int length;
  if (std::isnan(value) || std::isinf(value)) {
    const char* text = std::isnan(value) ? (std::signbit(value) ? "-nan" : "nan")
                                         : (std::signbit(value) ? "-inf" : "inf");
    length = static_cast<int>(std::strlen(text));
    std::memcpy(digits, text, static_cast<std::size_t>(length));
  } else {
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    length = static_cast<int>(result.ptr - digits);
  }
  return pad(out, digits, length, width, left);
}

char* put_fixed(char* out, double value, int width, int precision, bool left) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const uint64_t magnitude = bits & ~(uint64_t{1} << 63);
  const bool negative = bits >> 63;
  constexpr uint64_t kLimit = 0x42d6bcc41e900000;  // the bits of 1e14
  if (magnitude < kLimit) {                        // finite, below 1e14
    if (precision == 2) return put_fixed_exact<2>(out, magnitude, negative, width, left);
    if (precision == 3) return put_fixed_exact<3>(out, magnitude, negative, width, left);
    if (precision == 4) return put_fixed_exact<4>(out, magnitude, negative, width, left);
  }
  return put_fixed_general(out, value, width, precision, left);
}

char* put_shortest(char* out, float value) {
  const auto result = std::to_chars(out, out + kMaxFloatText, value);
  *result.ptr = '\0';
  return result.ptr;
}

char* put_int(char* out, int value, int width, bool left) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return pad(out, digits, static_cast<int>(result.ptr - digits), width, left);
}

char* put_text(char* out, const char* text, int width, int max, bool left) {
  const std::size_t length =
      max < 0 ? std::strlen(text) : strnlen(text, static_cast<std::size_t>(max));
  return pad(out, text, static_cast<int>(length), width, left);
}
