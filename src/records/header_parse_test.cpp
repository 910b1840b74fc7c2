// The unit-case header parse and the conversion's header parse.
#include "records/header_parse.h"

#include "test_support.h"

namespace {

RecordHeader unit_header(const char* text, int* result = nullptr) {
  RecordHeader h{};
  std::strcpy(h.bus_name, "KEPT");
  h.base_kv = 99.0f;
  h.bus_number = -1;
  std::strcpy(h.unit_id, "1 ");
  int r = parse_unit_header(text, h);
  if (result) *result = r;
  return h;
}

// Every field of a parsed header.
void expect_header(const RecordHeader& h, const char* model, int bus, const char* name, float kv,
                   const char* id) {
  EXPECT_STREQ(h.model, model);
  EXPECT_EQ(h.bus_number, bus);
  EXPECT_STREQ(h.bus_name, name);
  EXPECT_EQ(h.base_kv, kv);
  EXPECT_STREQ(h.unit_id, id);
}

TEST(UnitHeader, FieldsOfAWellFormedRecord) {
  int result;
  RecordHeader h = unit_header("genrou   12 \"BUS, ONE:x\" 13.80 \"2A\" : #9 1\n", &result);
  EXPECT_EQ(result, 0);
  // The name cut to 8, blanks, commas and colons kept.
  expect_header(h, "genrou", 12, "BUS, ONE", 13.8f, "2A");
}

TEST(UnitHeader, OneCharacterIdsAndMissingQuotes) {
  // "1" is the unit "1 ", as the conversion's parse reads it.
  EXPECT_STREQ(unit_header("gen 1 \"A\" 1 \"1\" : 1\n").unit_id, "1 ");
  EXPECT_STREQ(unit_header("gen 1 \"A\" 1 \"12\" : 1\n").unit_id, "12");
  EXPECT_STREQ(unit_header("gen 1 \"A\" 1 \"\" : 1\n").unit_id, "\" ");
  EXPECT_STREQ(unit_header("gen 1 \"A\" 1 \"").unit_id, "1 ");  // NUL behind the quote
  EXPECT_STREQ(unit_header("gen 1 \"A\" 1 \"x").unit_id, "x ");
  RecordHeader h = unit_header("gen 1 \"A\" 1 : 5\n");
  EXPECT_STREQ(h.unit_id, "--");
  EXPECT_EQ(h.base_kv, 1.0f);
  // A kV token without a number keeps the previous kV.
  h = unit_header("gen 7 \"A\" \"1 \" : 5\n");
  EXPECT_EQ(h.base_kv, 99.0f);
  EXPECT_EQ(h.bus_number, 7);
  // No quotes at all: name and kV are kept.
  h = unit_header("wlwscc 9 ! ! : 1\n");
  EXPECT_STREQ(h.bus_name, "KEPT");
  EXPECT_EQ(h.base_kv, 99.0f);
  EXPECT_STREQ(h.unit_id, "--");
  h = unit_header("gen\n");
  EXPECT_STREQ(h.model, "gen\n");
  EXPECT_EQ(h.bus_number, -1);
  // Quotes beyond the first 60 characters are not seen.
  h = unit_header(("gen 5 \"" + std::string(60, 'n') + "\" 1 \"1 \"").c_str());
  EXPECT_STREQ(h.bus_name, "nnnnnnnn");
  EXPECT_STREQ(h.unit_id, "--");
}

TEST(UnitHeader, PlaceholdersForALeftOutNameOrKv) {
  // "!" for the name and the kV: both are kept, the ID is read from the next quote.
  RecordHeader h = unit_header("genrou 1 ! ! \"1 \" : #9 mva=615.0 8.309\n");
  EXPECT_EQ(h.bus_number, 1);
  EXPECT_STREQ(h.bus_name, "KEPT");
  EXPECT_EQ(h.base_kv, 99.0f);
  EXPECT_STREQ(h.unit_id, "1 ");
  h = unit_header("genrou 1 ! 13.8 \"2 \" : 1\n");
  EXPECT_STREQ(h.bus_name, "KEPT");
  EXPECT_EQ(h.base_kv, 13.8f);
  EXPECT_STREQ(h.unit_id, "2 ");
  // A token that begins with a quote is the ID's own: no kV.
  h = unit_header("esac7b 1 ! \"1\" : 1\n");
  EXPECT_EQ(h.base_kv, 99.0f);
  EXPECT_STREQ(h.unit_id, "1 ");
  h = unit_header("esac7b 1 ,! \"A,\" : 1\n");  // the ID's characters as they stand
  EXPECT_STREQ(h.unit_id, "A,");
  // No quote after the placeholders: no ID.
  h = unit_header("imetr 1 ! ! ! 7 ! ! ! : 1\n");
  EXPECT_STREQ(h.unit_id, "--");
  EXPECT_STREQ(unit_header("imetr 1 !").unit_id, "--");
  // Only a "!" standing alone is a placeholder.
  h = unit_header("gen 1 !x \"NAME\" 2 \"3 \" : 1\n");
  EXPECT_STREQ(h.bus_name, "NAME");
  EXPECT_EQ(h.base_kv, 2.0f);
  EXPECT_STREQ(h.unit_id, "3 ");
}

TEST(UnitHeader, LinesNotBeginningWithALetter) {
  for (const char* text : {" gen 1 \"A\" 1 \"1 \"", "1 gen", "\n", "", "\xe9gen"}) {
    int result;
    RecordHeader h = unit_header(text, &result);
    EXPECT_EQ(result, -1) << text;
    expect_header(h, "nomod", 0, "        ", 0.0f, "1 ");
  }
}

TEST(ConversionHeader, TokenFormEndsTheNameAtABlank) {
  RecordHeader h;
  parse_conversion_header("genrou   12 \"BUS ONE\" 13.80 \"1\" :", h, BusNameForm::token);
  expect_header(h, "genrou", 12, "BUS", 0.0f, "13");  // "ONE" is no number
  parse_conversion_header("gentpjx,1,\"ABCDEFGHIJKLMNOP\",22.0,\"1\":", h, BusNameForm::token);
  EXPECT_STREQ(h.model, "gentpj");
  EXPECT_STREQ(h.bus_name, "ABCDEFGHIJKLM");
  EXPECT_EQ(h.base_kv, 22.0f);
  EXPECT_STREQ(h.unit_id, "1 ");
  parse_conversion_header("gen :", h, BusNameForm::token);
  EXPECT_EQ(h.bus_number, 0);
  EXPECT_STREQ(h.bus_name, "");
  EXPECT_STREQ(h.unit_id, "  ");
}

TEST(ConversionHeader, QuotedFormKeepsBlanks) {
  RecordHeader h;
  parse_conversion_header("genrou 2 \"NEW     \" 13.8 \"1 \" :", h, BusNameForm::quoted);
  expect_header(h, "genrou", 2, "NEW     ", 13.8f, "1 ");
  parse_conversion_header("ieeeg1 2 \"NEW     \" 13.8 \"H \" 2 \"NEW     \" 13.8 \"L \" 1 :", h,
                          BusNameForm::quoted);
  EXPECT_STREQ(h.unit_id, "H ");
  parse_conversion_header("gen 2 x :", h, BusNameForm::quoted);  // no quote at all
  EXPECT_STREQ(h.bus_name, "");
  EXPECT_STREQ(h.unit_id, "  ");
}

// The place of a record as its fields give it, read once by the conversion: a quoted
// name whole, placeholders as tokens, the kV as written, the ID inside its quotes.
RecordPlace place_of(const std::string& header) {
  RecordPlace p;
  parse_record_place(header.c_str(), static_cast<int>(header.size()), p);
  return p;
}

TEST(RecordPlace, FieldsAsTheRecordWritesThem) {
  RecordPlace p = place_of("tgov1 2 \"OUT SIDE\" 22 \"1 \" :");
  EXPECT_EQ(p.bus_number, 2);
  EXPECT_STREQ(p.bus_name, "OUT SIDE");  // blanks inside the quotes are the name's
  EXPECT_STREQ(p.kv_text, "22");
  EXPECT_EQ(p.base_kv, 22.0f);
  EXPECT_STREQ(p.unit_id, "1 ");
  p = place_of("gast 6,\"N, with a comma\",13.8,\"G1\":");
  EXPECT_EQ(p.bus_number, 6);
  EXPECT_STREQ(p.bus_name, "N, with a comma");
  EXPECT_STREQ(p.kv_text, "13.8");
  EXPECT_STREQ(p.unit_id, "G1");
  p = place_of("tgov1 1 \"1\" 22.00 \"1\" :");  // a one-character ID is "1 "
  EXPECT_STREQ(p.bus_name, "1");
  EXPECT_STREQ(p.unit_id, "1 ");
}

TEST(RecordPlace, PlaceholdersAndWhatIsLeftOut) {
  // "!" for the name and the kV: the ID is the next quoted field's.
  RecordPlace p = place_of("genrou 1 ! ! \"1 \" :");
  EXPECT_EQ(p.bus_number, 1);
  EXPECT_STREQ(p.bus_name, "!");
  EXPECT_STREQ(p.kv_text, "!");
  EXPECT_EQ(p.base_kv, 0.0f);
  EXPECT_STREQ(p.unit_id, "1 ");
  // A quote right behind the name: no kV.
  p = place_of("esac7b 1 ! \"1\" :");
  EXPECT_STREQ(p.kv_text, "");
  EXPECT_STREQ(p.unit_id, "1 ");
  // Not given: an empty name, no kV, the ID "  ".
  p = place_of("genrou 4 :");
  EXPECT_EQ(p.bus_number, 4);
  EXPECT_STREQ(p.bus_name, "");
  EXPECT_STREQ(p.unit_id, "  ");
  // A name longer than the room is cut; an infinite kV is written as the record writes it.
  p = place_of("gast 3 \"" + std::string(40, 'n') + "\" inf \"G1\" :");
  EXPECT_EQ(std::string(p.bus_name), std::string(31, 'n'));
  EXPECT_STREQ(p.kv_text, "inf");
  EXPECT_STREQ(p.unit_id, "G1");
}

}  // namespace
