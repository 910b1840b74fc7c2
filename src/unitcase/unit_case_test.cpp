// Writing the OLD and NEW headers over a record line.
#include "unitcase/unit_case.h"

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
  std::string params = " 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34";
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
