// Making the OLD and NEW copies of a record line under their headers.
#include "modeltest/unit_case.h"

#include "records/record.h"
#include "test_support.h"

namespace {

const char* kHeader = "genrou 1 \"OLD     \" 13.8 \"1 \" :";  // 31 characters

std::string replaced(const std::string& line) {
  static char text[2000];
  std::strcpy(text, line.c_str());
  replace_header(text, kHeader, 31);
  return text;
}

TEST(HeaderReplacement, LongerHeadersAreBlankedUpToTheirColon) {
  EXPECT_EQ(replaced("genrou 12345 \"A LONG BUS NAME\" 345.00 \"1 \" : #9 mva=100 1 2\n"),
            std::string(kHeader) + std::string(13, ' ') + " #9 mva=100 1 2\n");
  // A "#" ends the blanking and stays, but the character at the header's end is blanked.
  EXPECT_EQ(replaced("genrou 12345 \"A LONG BUS NAME\"  #345.00 : 1\n"),
            std::string(kHeader) + " #345.00 : 1\n");
  EXPECT_EQ(replaced("genrou 12345 \"A LONG BUS NAME\" #345.00 : 1\n"),
            std::string(kHeader) + std::string(9, ' ') + " 1\n");
}

TEST(HeaderReplacement, ShorterHeadersLoseWhatTheNewHeaderCovers) {
  // The old colon lies under the new header; blanking runs on to index 99 at most.
  std::string params =
      " 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 "
      "34";
  std::string line = "gen 1 \"A\" 1 \"1 \" : #9" + params + "\n";
  std::string out = replaced(line);
  EXPECT_EQ(out.substr(0, 31), kHeader);
  EXPECT_EQ(out.substr(31, 69), std::string(69, ' '));
  EXPECT_EQ(out.substr(100), line.substr(100));
  // The blanking never passes the line end, which stays.
  EXPECT_EQ(replaced("gen 1 \"A\" 1 \"1 \" 0.1 0.2 0.3 0.4\r\n"), std::string(kHeader) + " \r\n");
}

TEST(HeaderReplacement, LinesNoLongerThanTheHeaderBecomeTheHeader) {
  EXPECT_EQ(replaced("gen 1 : 1\n"), std::string(kHeader) + "\n");
  EXPECT_EQ(replaced("gen 1 : 1\r\n"), std::string(kHeader) + "\r\n");
  EXPECT_EQ(replaced("gen 1 : 1"), std::string(kHeader));
  EXPECT_EQ(replaced(std::string(31, 'x') + "\n"), std::string(kHeader) + "\n");
  EXPECT_EQ(replaced(std::string(32, 'x') + "\n"), std::string(kHeader) + " \n");
}

}  // namespace

namespace {

std::string copied(const std::string& line, const std::string& header) {
  static char text[kRecordSize];
  static char copy[kRecordSize + kCaseHeaderSize];
  std::snprintf(text, sizeof text, "%s", line.c_str());
  make_copy(text, header.c_str(), static_cast<int>(header.size()), copy);
  return copy;
}

TEST(Copies, CompactRecordsKeepEveryValue) {
  const std::string fmeta = "fmeta  1 \"OLD     \" 13.8 \"1 \" :";
  EXPECT_EQ(copied("fmeta 1 \"1\" 22.00 \"1 \" : #9 0 1\n", fmeta), fmeta + " #9 0 1\n");
  const std::string exst1 = "exst1  1 \"OLD     \" 13.8 \"1 \" :";
  EXPECT_EQ(copied("exst1 5 \"A\" 1 \"1 \": 7 8 9 10 11 # tail\r\n", exst1),
            exst1 + " 7 8 9 10 11 # tail\r\n");
  // A colon in the first 15 characters is a typing error, not the record's colon.
  EXPECT_EQ(copied("ex:t1 5 \"A\" 1 \"1 \" : 7\n", exst1), exst1 + " 7\n");
  // A colon right at the header's end still counts as the record's own.
  const std::string at31 = "gen 5 \"" + std::string(16, 'A') + "\" 1 \"1 \":";
  ASSERT_EQ(at31.size(), 32u);
  EXPECT_EQ(copied(at31 + " 4 5\n", kHeader), std::string(kHeader) + " 4 5\n");
  // A long model name makes a longer header, and the copy may outgrow the record.
  const std::string cmpldwg = "cmpldwg 1 \"OLD     \" 13.8 \"1 \" :";
  const std::string values(1999 - 17, '7');
  EXPECT_EQ(copied("cmpldwg 5 \"G\" 1 :" + values, cmpldwg), cmpldwg + values);
}

TEST(Copies, LongerHeadersAndRecordsWithoutAColonAreReplacedInPlace) {
  EXPECT_EQ(copied("genrou 12345 \"A LONG BUS NAME\" 345.00 \"1 \" : #9 1\n", kHeader),
            std::string(kHeader) + std::string(13, ' ') + " #9 1\n");
  EXPECT_EQ(copied("gen 1 \"A\" 1 \"1 \" 0.1 0.2 0.3 0.4\n", kHeader),
            std::string(kHeader) + " \n");
  EXPECT_EQ(copied("gen 1\n", kHeader), std::string(kHeader) + "\n");
}

}  // namespace
