// The value format and the converted-record layout.
#include "records/record_writer.h"

#include <cmath>
#include <limits>

#include "test_support.h"

namespace {

std::string formatted(float v) {
  char text[kValueTextSize + 16];
  return std::string(text, put_value(text, v));
}

TEST(ValueFormat, EveryBranch) {
  EXPECT_EQ(formatted(0.0f), " 0.");
  EXPECT_EQ(formatted(-0.0f), " 0.");
  EXPECT_EQ(formatted(1.0f), " 1.");
  EXPECT_EQ(formatted(-1.0f), " -1.");
  EXPECT_EQ(formatted(0.5f), "   0.5000");
  EXPECT_EQ(formatted(-5.5f), "  -5.5000");
  EXPECT_EQ(formatted(9.99996f), "  10.0000");  // below 10 as a float
  EXPECT_EQ(formatted(10.0f), "    10.000");
  EXPECT_EQ(formatted(-10.0f), "   -10.000");
  EXPECT_EQ(formatted(0.99999f), "   1.0000");  // not exactly 1
  EXPECT_EQ(formatted(-0.99999f), "  -1.0000");
  EXPECT_EQ(formatted(-99999.0f), " -99999.000");
  EXPECT_EQ(formatted(std::numeric_limits<float>::quiet_NaN()), "       nan");
  EXPECT_EQ(formatted(-std::numeric_limits<float>::infinity()), "      -inf");
  EXPECT_EQ(formatted(std::numeric_limits<float>::max()),
            " 340282346638528859811704183484516925440.000");
}

class ConvertedRecord : public ::testing::Test {
 protected:
  void SetUp() override { rule_ = &rules_.add_rule("genrou", "gentpj"); }
  std::string write(const char* text, const char* mva, bool crlf = false) {
    std::strcpy(text_, text);
    int colon = static_cast<int>(std::strchr(text_, ':') - text_) + 1;
    test_support::CapturedFile out;
    write_converted_record(out.f, *rule_, text_, colon, mva, values_, crlf);
    return out.text();
  }
  test_support::Rules rules_;
  RuleSet* rule_;
  float values_[kMaxParameters] = {};
  char text_[kRecordSize];
};

TEST_F(ConvertedRecord, LayoutWithAndWithoutValues) {
  EXPECT_EQ(write("gentpj 1 \"B\" 13.8 \"1 \" : #1 mva=5 1 2\n", "mva=5.000   "),
            "#[genrou] [gentpj]\ngentpj 1 \"B\" 13.8 \"1 \" : #9 mva=5.000   \n");
  rules_.add_output(*rule_, "$a=1");
  rules_.add_output(*rule_, "$b=1");
  rules_.add_output(*rule_, "$c=1");
  values_[0] = 0.5f;
  values_[1] = 12.0f;
  values_[2] = -1.0f;
  EXPECT_EQ(write("gentpj 1 \"B\" 13.8 \"1 \" : 1\n", ""),
            "#[genrou] [gentpj]\ngentpj 1 \"B\" 13.8 \"1 \" : #9    0.5000    12.000 -1.\n");
  EXPECT_EQ(write("gentpj 1 : 1\r\n", "", true),
            "#[genrou] [gentpj]\r\ngentpj 1 : #9    0.5000    12.000 -1.\r\n");
}

}  // namespace
