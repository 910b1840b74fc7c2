// The formatting helpers write exactly what snprintf writes: every float the programs
// can meet in every format they use, over many millions of values.
#include "text/format.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "test_support.h"

namespace {

struct FixedFormat {
  const char* printf_format;
  int width;
  int precision;
  bool left;
};
// Every fixed-point conversion of the converted records, logs, reports and messages.
constexpr FixedFormat kFormats[] = {
    {"%8.4f", 8, 4, false},   {"%9.3f", 9, 3, false}, {"%9.4f", 9, 4, false},
    {"%14.4f", 14, 4, false}, {"%-8.3f", 8, 3, true}, {"%-8.2f", 8, 2, true},
    {"%6.2f", 6, 2, false},
};

// How many values each test checks; FORMAT_TEST_VALUES raises it for a longer proof.
long value_count(long normal) {
  const char* env = std::getenv("FORMAT_TEST_VALUES");
  return env ? std::atol(env) : normal;
}

::testing::AssertionResult same_as_printf(float f) {
  const double v = f;
  for (const FixedFormat& fmt : kFormats) {
    char expected[512];
    char actual[512];
    std::snprintf(expected, sizeof expected, fmt.printf_format, v);
    *put_fixed(actual, v, fmt.width, fmt.precision, fmt.left) = '\0';
    if (std::strcmp(expected, actual) != 0) {
      uint32_t bits;
      std::memcpy(&bits, &f, sizeof bits);
      return ::testing::AssertionFailure() << fmt.printf_format << " of 0x" << std::hex << bits
                                           << ": [" << expected << "] / [" << actual << "]";
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(FixedFormat, SpecialValues) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (float f : {0.0f,
                  -0.0f,
                  1.0f,
                  -1.0f,
                  9.99995f,
                  9.99996f,
                  -9.99995f,
                  10.0f,
                  1e-5f,
                  -1e-5f,
                  5e-5f,
                  0.00005f,
                  0.125f,
                  0.375f,
                  1.03125f,
                  2.5f,
                  0.5f,
                  99999.5f,
                  -99999.0f,
                  -99998.0f,
                  1e10f,
                  3.4028235e38f,
                  -3.4028235e38f,
                  1.4e-45f,
                  1.17549435e-38f,
                  16777216.0f,
                  0.99999f,
                  inf,
                  -inf,
                  nan,
                  -nan,
                  std::numeric_limits<float>::signaling_NaN()}) {
    EXPECT_TRUE(same_as_printf(f));
  }
}

TEST(FixedFormat, DecimalTiesAndTheirNeighbours) {
  // Floats that lie exactly half-way at 2, 3 or 4 decimals (multiples of 1/32 and so
  // on), and the floats next to them.
  for (long i = -200000; i <= 200000; ++i) {
    const float tie = static_cast<float>(i) / 32.0f;
    for (float f : {tie, std::nextafter(tie, 1e9f), std::nextafter(tie, -1e9f)}) {
      ASSERT_TRUE(same_as_printf(f));
    }
  }
}

TEST(FixedFormat, RandomBitPatterns) {
  std::mt19937 rng(3);
  const long n = value_count(1000000);
  for (long i = 0; i < n; ++i) {
    uint32_t bits = rng();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    ASSERT_TRUE(same_as_printf(f));
  }
}

TEST(FixedFormat, RandomValuesOfTheUsualMagnitudes) {
  // Parameter values: mostly between 1e-4 and 1e5, where the decimals matter.
  std::mt19937 rng(4);
  std::uniform_real_distribution<double> exponent(-5.0, 6.0);
  const long n = value_count(1000000);
  for (long i = 0; i < n; ++i) {
    float f = static_cast<float>(std::pow(10.0, exponent(rng)));
    if (rng() & 1) f = -f;
    ASSERT_TRUE(same_as_printf(f));
  }
}

TEST(IntAndTextFormat, SameAsPrintf) {
  std::mt19937 rng(5);
  for (int i = 0; i < 200000; ++i) {
    int v = static_cast<int>(rng());
    if (i < 1000) v = i - 500;
    char expected[64];
    char actual[64];
    for (int width : {0, 6, 8}) {
      std::snprintf(expected, sizeof expected, "%*d", width, v);
      *put_int(actual, v, width) = '\0';
      ASSERT_STREQ(expected, actual);
      std::snprintf(expected, sizeof expected, "%-*d", width, v);
      *put_int(actual, v, width, true) = '\0';
      ASSERT_STREQ(expected, actual);
    }
  }
  char actual[128];
  *put_text(actual, "abc", 6, 2) = '\0';
  EXPECT_STREQ(actual, "ab    ");
  *put_text(actual, "abcdefgh", 4) = '\0';
  EXPECT_STREQ(actual, "abcdefgh");  // "%-4s": no cut
  *put_text(actual, "ab", 4, -1, false) = '\0';
  EXPECT_STREQ(actual, "  ab");
}

}  // namespace
