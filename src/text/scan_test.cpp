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

TEST(ScanFloat, ReadsLikeTheFormattedScan) {
  for (const char* token : {"1", "-1", "+.5", ".5", "5.", ".", "-.", "1e3", "1e", "1e+", "1.5.2",
                            "0x10", "-0X1p3", "0x", "inf", "-infinity", "infinit", "nan", "nan(12)",
                            "3.4e39", "1e-50", "-0", "1,5", "\n7", "\t8", "x", "", "+-1", "00012",
                            "1e-3x", "99999999999999999999999999999999999999999"}) {
    expect_same_as_formatted_scan(token);
  }
}

TEST(ScanFloat, RandomTokensReadLikeTheFormattedScan) {
  const std::string alphabet = "0123456789.+-eExXinfaINFAp \t";
  std::mt19937 rng(7);
  for (int i = 0; i < 200000; ++i) {
    std::string token;
    const int length = 1 + static_cast<int>(rng() % 12);
    for (int k = 0; k < length; ++k) token += alphabet[rng() % alphabet.size()];
    expect_same_as_formatted_scan(token);
    if (HasFailure()) return;
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
