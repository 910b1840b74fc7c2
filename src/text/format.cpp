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

// The common case, written straight into place: a finite float widened to double
// with |value| below 1e14, whose significant bits fit in 30 (every float's do), with
// P decimals. value = m * 2^e exactly, so value * 10^P = m * 10^P * 2^e is rounded in
// integers, with ties to even as printf rounds. nullptr for any other value.
template <int P>
char* put_fixed_fast(char* out, uint64_t magnitude, bool negative, int width, bool left) {
  const int biased = static_cast<int>(magnitude >> 52);
  uint64_t mantissa = magnitude & ((uint64_t{1} << 52) - 1);
  int exponent = -1074;  // subnormal
  if (biased != 0) {
    mantissa |= uint64_t{1} << 52;
    exponent = biased - 1075;
  }
  if (mantissa != 0) {
    const int zeros = __builtin_ctzll(mantissa);
    mantissa >>= zeros;
    exponent += zeros;
  }
  if (mantissa >= (uint64_t{1} << 30)) return nullptr;
  constexpr uint64_t kScale = P == 1 ? 10 : P == 2 ? 100 : P == 3 ? 1000 : 10000;
  const uint64_t q = mantissa * kScale;  // below 2^44
  uint64_t n = 0;
  if (exponent >= 0) {
    n = q << exponent;  // below 1e14 * 10^4 < 2^64
  } else if (exponent > -64) {
    const int k = -exponent;
    const uint64_t rest = q & ((uint64_t{1} << k) - 1);
    const uint64_t half = uint64_t{1} << (k - 1);
    n = q >> k;
    if (rest > half || (rest == half && (n & 1))) ++n;
  }  // else q / 2^64 < 1/2: 0

  uint64_t whole = n / kScale;
  uint64_t fraction = n % kScale;
  int digits = 1;
  for (uint64_t w = whole; w >= 10; w /= 10) ++digits;
  const int length = negative + digits + 1 + P;
  const int fill = width - length;
  if (!left && fill > 0) out = blanks(out, fill);
  char* p = out + length;
  uint32_t decimals = static_cast<uint32_t>(fraction);
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
  out += length;
  if (left && fill > 0) out = blanks(out, fill);
  return out;
}

char* write_backwards(uint64_t n, int precision, bool negative, char* end);

// The text of `value` with `precision` decimals (1 to 4), correctly rounded with ties
// to even as printf rounds, for a finite |value| below 1e14, written backwards so that
// it ends at `end`; nullptr for any other value. value = m * 2^e exactly, so
// value * 10^p = m * 10^p * 2^e is rounded in integers.
char* exact_fixed_backwards(double value, int precision, char* end) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = bits >> 63;
  const uint64_t magnitude = bits & ~(uint64_t{1} << 63);
  constexpr uint64_t kLimit = 0x42d6bcc41e900000;  // the bits of 1e14
  if (magnitude >= kLimit || precision < 1 || precision > 4) return nullptr;
  const int biased = static_cast<int>(magnitude >> 52);
  uint64_t mantissa = magnitude & ((uint64_t{1} << 52) - 1);
  int exponent = -1074;  // subnormal
  if (biased != 0) {
    mantissa |= uint64_t{1} << 52;
    exponent = biased - 1075;
  }
  constexpr uint64_t kScale[] = {1, 10, 100, 1000, 10000};
  uint64_t n = 0;
  if (mantissa != 0) {
    // A float widened to double has at most 24 significant bits: drop the zeros below
    // them, and the product fits in 64 bits.
    const int zeros = __builtin_ctzll(mantissa);
    mantissa >>= zeros;
    exponent += zeros;
  }
  if (mantissa < (uint64_t{1} << 30)) {
    const uint64_t q = mantissa * kScale[precision];  // below 2^44
    if (exponent >= 0) {
      n = q << exponent;  // below 1e14 * 10^4 < 2^64
    } else if (exponent > -64) {
      const int k = -exponent;
      const uint64_t rest = q & ((uint64_t{1} << k) - 1);
      const uint64_t half = uint64_t{1} << (k - 1);
      n = q >> k;
      if (rest > half || (rest == half && (n & 1))) ++n;
    }  // else q / 2^64 < 1/2: 0
    return write_backwards(n, precision, negative, end);
  }
  const unsigned __int128 q =
      static_cast<unsigned __int128>(mantissa) * kScale[precision];  // < 2^67
  if (exponent >= 0) {
    n = static_cast<uint64_t>(q << exponent);  // below 1e14 * 10^4 < 2^64
  } else if (-exponent >= 127) {
    n = 0;  // q / 2^127 < 1/2
  } else {
    const int k = -exponent;
    const unsigned __int128 whole = q >> k;
    const unsigned __int128 rest = q - (whole << k);
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (k - 1);
    n = static_cast<uint64_t>(whole);
    if (rest > half || (rest == half && (n & 1))) ++n;
  }
  return write_backwards(n, precision, negative, end);
}

// n / 10^precision with its point, and a sign, written backwards to end at `end`.
char* write_backwards(uint64_t n, int precision, bool negative, char* end) {
  char* p = end;
  int decimals = precision;
  for (; decimals >= 2; decimals -= 2) {
    const char* pair = kDigitPairs + 2 * (n % 100);
    *--p = pair[1];
    *--p = pair[0];
    n /= 100;
  }
  if (decimals == 1) {
    *--p = static_cast<char>('0' + n % 10);
    n /= 10;
  }
  *--p = '.';
  while (n >= 100) {
    const char* pair = kDigitPairs + 2 * (n % 100);
    *--p = pair[1];
    *--p = pair[0];
    n /= 100;
  }
  if (n >= 10) {
    *--p = kDigitPairs[2 * n + 1];
    *--p = kDigitPairs[2 * n];
  } else {
    *--p = static_cast<char>('0' + n);
  }
  if (negative) *--p = '-';  // printf shows the sign of a negative value that rounds to 0
  return p;
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
  } else if (const char* text = exact_fixed_backwards(value, precision, digits + sizeof digits)) {
    length = static_cast<int>(digits + sizeof digits - text);
    std::memmove(digits, text, static_cast<std::size_t>(length));
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
  if (magnitude < kLimit) {
    char* done = nullptr;
    switch (precision) {
      case 2:
        done = put_fixed_fast<2>(out, magnitude, negative, width, left);
        break;
      case 3:
        done = put_fixed_fast<3>(out, magnitude, negative, width, left);
        break;
      case 4:
        done = put_fixed_fast<4>(out, magnitude, negative, width, left);
        break;
      default:
        break;
    }
    if (done) return done;
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
