// The number scan must read every token exactly as the formatted scan "%f" does.
#include "text/scan.h"

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "test_support.h"

namespace {

// Compares two scans bit for bit, NaNs included.
void expect_same_as_formatted_scan(const std::string& token) {
  float expected = 42.0f;
  float actual = 42.0f;
  const bool expected_ok = std::sscanf(token.c_str(), "%f", &expected) == 1;
  const bool actual_ok = scan_float(token.c_str(), &actual);
  EXPECT_EQ(actual_ok, expected_ok) << "[" << token << "]";
  EXPECT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0) << "[" << token << "]";
}

// A token of 1 to `longest` characters drawn from `alphabet`.
std::string random_token(std::mt19937& rng, const std::string& alphabet, int longest) {
  std::string token;
  const int length = 1 + static_cast<int>(rng() % static_cast<unsigned>(longest));
  for (int k = 0; k < length; ++k) token += alphabet[rng() % alphabet.size()];
  return token;
}

TEST(ScanFloat, ReadsLikeTheFormattedScan) {
  for (const char* token : {"1",
                            "-1",
                            "+.5",
                            ".5",
                            "5.",
                            ".",
                            "-.",
                            "1e3",
                            "1e",
                            "1e+",
                            "1.5.2",
                            "0x10",
                            "-0X1p3",
                            "0x",
                            "inf",
                            "-infinity",
                            "infinit",
                            "nan",
                            "nan(12)",
                            "3.4e39",
                            "1e-50",
                            "-0",
                            "1,5",
                            "\n7",
                            "\t8",
                            "x",
                            "",
                            "+-1",
                            "00012",
                            "1e-3x",
                            "99999999999999999999999999999999999999999"}) {
    expect_same_as_formatted_scan(token);
  }
}

TEST(ScanFloat, RandomTokensReadLikeTheFormattedScan) {
  const std::string alphabet = "0123456789.+-eExXinfaINFAp \t";
  // Hexadecimal, "nan" and "infinity" forms, cut and whole, as the scan reads them.
  const std::string special = "0x1fFa.pP+-e9 nNiItTyY(\t)_\n";
  std::mt19937 rng(7);
  for (int i = 0; i < 200000; ++i) {
    std::string token;
    const int length = 1 + static_cast<int>(rng() % 12);
    for (int k = 0; k < length; ++k) token += alphabet[rng() % alphabet.size()];
    expect_same_as_formatted_scan(token);
    std::string other;
    for (int k = 0; k < length; ++k) other += special[rng() % special.size()];
    expect_same_as_formatted_scan(other);
    if (HasFailure()) return;
  }
}

TEST(ScanFloat, NumbersOfDataFilesReadLikeTheFormattedScan) {
  // Decimal numbers as data files write them: digits, points, exponents, signs, beyond
  // the float range and below it.
  std::mt19937 rng(8);
  for (int i = 0; i < 500000; ++i) {
    char token[64];
    const double mantissa = static_cast<double>(rng()) / 4294967296.0 * 10.0;
    switch (i % 4) {
      case 0:
        std::snprintf(token, sizeof token, "%.*f", static_cast<int>(rng() % 9), mantissa);
        break;
      case 1:
        std::snprintf(token, sizeof token, "%c%.6fe%d", "+- "[rng() % 3], mantissa,
                      static_cast<int>(rng() % 100) - 50);
        break;
      case 2:
        std::snprintf(token, sizeof token, "%.9ge%d", mantissa, static_cast<int>(rng() % 90) - 45);
        break;
      default:
        std::snprintf(token, sizeof token, "%.12f%s", mantissa, rng() % 2 ? "x" : "e+");
        break;
    }
    expect_same_as_formatted_scan(token);
    if (HasFailure()) return;
  }
}

TEST(ScanInt, RandomTokensReadLikeTheFormattedScan) {
  const std::string alphabet = "0123456789+- \tx9";
  std::mt19937 rng(9);
  for (int i = 0; i < 300000; ++i) {
    const std::string token = random_token(rng, alphabet, 24);
    int expected = 42, actual = 42;
    const bool expected_ok = std::sscanf(token.c_str(), "%d", &expected) == 1;
    ASSERT_EQ(scan_int(token.c_str(), &actual), expected_ok) << "[" << token << "]";
    ASSERT_EQ(actual, expected) << "[" << token << "]";
  }
}

TEST(ScanInt, ReadsLikeTheFormattedScan) {
  int value = 42;
  EXPECT_FALSE(scan_int("abc", &value));
  EXPECT_EQ(value, 42);
  EXPECT_TRUE(scan_int("12abc", &value));
  EXPECT_EQ(value, 12);
  EXPECT_TRUE(scan_int("-7", &value));
  EXPECT_EQ(value, -7);
}

}  // namespace
