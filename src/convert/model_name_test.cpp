// The converted record's new model name: the model field, names that would reach the bus.
#include "convert/model_name.h"

#include "records/record.h"
#include "test_support.h"

namespace {

// The header after renaming, up to its colon.
std::string renamed(const char* header, const char* name) {
  static char text[kRecordSize];
  std::snprintf(text, sizeof text, "%s 1 2\n", header);
  const int colon = static_cast<int>(std::strchr(text, ':') - text) + 1;
  const int moved = write_model_name(text, colon, name);
  EXPECT_EQ(text[moved - 1], ':') << header;
  return std::string(text, static_cast<std::size_t>(moved));
}

TEST(ModelName, CompactHeadersKeepTheirBusNumber) {
  EXPECT_EQ(renamed("tgov1 1 \"1\" 22.00 \"1 \" :", "ieeeg1"), "ieeeg1 1 \"1\" 22.00 \"1 \" :");
  EXPECT_EQ(renamed("sexs 102,\"A\" 1 \"1 \" :", "failed"), "failed 102,\"A\" 1 \"1 \" :");
  EXPECT_EQ(renamed("ameta\t1 \"1\"\t22.00 \"1 \" :", "ieeeg1"), "ieeeg1 1 \"1\"\t22.00 \"1 \" :");
  EXPECT_EQ(renamed("gencls 5 \"G\" 1 \"1 \" :", "genrou_variant"),
            "genrou_variant 5 \"G\" 1 \"1 \" :");
  EXPECT_EQ(renamed("gen 5 \"G\" 1 \"1 \" :", "exst1"), "exst1 5 \"G\" 1 \"1 \" :");
}

TEST(ModelName, AShortNameKeepsACompactBusNumber) {
  // The six-column field would reach "6": it stops where the bus number begins.
  EXPECT_EQ(renamed("gast 6 \"BUS6\" 13.8 \"1 \" :", "sexs"), "sexs 6 \"BUS6\" 13.8 \"1 \" :");
  EXPECT_EQ(renamed("exst1 7 \"B\" 1 \"1 \" :", "sexs"), "sexs  7 \"B\" 1 \"1 \" :");
  EXPECT_EQ(renamed("hygov 8,\"C\" 1 \"1 \" :", "tgov1"), "tgov1 8,\"C\" 1 \"1 \" :");
  // A header with no second token keeps its colon.
  EXPECT_EQ(renamed("gen :", "ab"), "ab  :");
}

TEST(ModelName, LongerModelTokensAreBlankedWhole) {
  EXPECT_EQ(renamed("cmpldwg   5 \"GEN 1\" 13.8 \"1 \" :", "cmpldw"),
            "cmpldw    5 \"GEN 1\" 13.8 \"1 \" :");
  EXPECT_EQ(renamed(" gensal_variant1 5 \"G\" 1 \"1 \" :", "genrou"),
            "genrou" + std::string(11, ' ') + "5 \"G\" 1 \"1 \" :");
}

TEST(ModelName, PaddedHeadersAreUnchangedButForTheName) {
  EXPECT_EQ(renamed("genrou   5 \"G\" 1 \"1 \" :", "gentpj"), "gentpj   5 \"G\" 1 \"1 \" :");
  EXPECT_EQ(renamed("genrou   5 \"G\" 1 \"1 \" :", "gast"), "gast     5 \"G\" 1 \"1 \" :");
  EXPECT_EQ(renamed("tgov1  2 \"NEW     \" 13.8 \"1 \" :", "ieeeg1"),
            "ieeeg1 2 \"NEW     \" 13.8 \"1 \" :");
  EXPECT_EQ(renamed("exst1    5 \"G\" 1 \"1 \" :", "failed"), "failed   5 \"G\" 1 \"1 \" :");
}

}  // namespace
