// Reading record lines: pieces, joining, matching, colons and the parameter parse.
#include "records/record_reader.h"

#include <cmath>

#include "io/line_reader.h"
#include "test_support.h"

namespace {

struct Parsed {
  int colon;
  std::string mva;
  ParameterValues values;
  std::string text;  // as the parse leaves it, read as a string
  int given;
  std::string keywords;  // the keyword of each value given, or "-", joined by blanks
};

Parsed parse(const std::string& line) {
  static DynamicRecord r;
  std::snprintf(r.text, sizeof r.text, "%s", line.c_str());
  Parsed p;
  p.colon = find_colon(r.text);
  if (p.colon > 0) parse_parameters(r.text, p.colon, r.parsed);
  p.mva = r.parsed.mva_text;
  p.values = r.parsed.values;
  p.text = r.text;
  p.given = p.colon > 0 ? r.parsed.values_given : -1;
  for (int k = 0; k < p.given; ++k) {
    if (k > 0) p.keywords += " ";
    p.keywords += r.parsed.keywords[k] ? r.parsed.keywords[k] : "-";
  }
  return p;
}

TEST(ReadPiece, LongLinesArriveInPiecesAndNulBytesAreKept) {
  std::string line(2500, 'x');
  test_support::Zeroed<LineInput> input;
  LineInput& f = *input;
  test_support::start_input(f, line + std::string("\nab\0c\nlast", 10));
  static char buf[kPieceSize];
  EXPECT_EQ(read_piece(f, buf, kPieceSize), 1997);
  EXPECT_EQ(read_piece(f, buf, kPieceSize), 504);
  EXPECT_EQ(buf[503], '\n');
  EXPECT_EQ(read_piece(f, buf, kPieceSize), 5);
  EXPECT_EQ(std::string(buf, 5), std::string("ab\0c\n", 5));
  EXPECT_EQ(read_piece(f, buf, kPieceSize), 4);
  EXPECT_STREQ(buf, "last");
  EXPECT_EQ(read_piece(f, buf, kPieceSize), 0);
  EXPECT_STREQ(buf, "last");  // untouched at end of file
  std::fclose(f.file);
}

TEST(ReadPiece, LinesAreCountedAndLongLinesKnowTheirPieces) {
  test_support::Zeroed<LineInput> input;
  LineInput& f = *input;
  test_support::start_input(f, "a\n" + std::string(2500, 'x') + "\nb\n\nc");
  static char buf[kPieceSize];
  const struct {
    int line;
    bool begins;
  } expected[] = {{1, true}, {2, true}, {2, false}, {3, true}, {4, true}, {5, true}};
  for (const auto& e : expected) {
    ASSERT_GT(read_piece(f, buf, kPieceSize), 0);
    EXPECT_EQ(f.line, e.line);
    EXPECT_EQ(f.piece_begins_line, e.begins) << e.line;
  }
  EXPECT_EQ(read_piece(f, buf, kPieceSize), 0);
  std::fclose(f.file);
}

// A record line in hand, with what its raw copy keeps, and the lines after it in the
// input, as the reading loop has them.
struct Joining {
  char text[kRecordSize];
  test_support::Zeroed<RawLines> raw;  // too large for the stack
  test_support::Zeroed<LineInput> input;
  Joining(const std::string& line, const std::string& rest) {
    std::strcpy(text, line.c_str());
    raw_start(*raw, text, static_cast<int>(line.size()));
    test_support::start_input(*input, rest);
  }
  ~Joining() { std::fclose(input->file); }
  JoinResult join(bool keep_raw = true) {
    return join_continuations(*input, text, keep_raw ? &*raw : nullptr);
  }
  std::string raw_bytes() const { return std::string(raw->bytes, raw->length); }
};

TEST(Join, ContinuationsJoinAndDropTheTextAfterTheSlash) {
  Joining j("genrou 1 \"A\" 1 \"1 \" : #9 1.0 / dropped\n", " 2.0 3.0 /\n 4.0\nnext 5\n");
  EXPECT_EQ(j.join(), JoinResult::joined);
  EXPECT_STREQ(j.text, "genrou 1 \"A\" 1 \"1 \" : #9 1.0   2.0 3.0   4.0\n");
  EXPECT_EQ(j.raw_bytes(), "genrou 1 \"A\" 1 \"1 \" : #9 1.0 / dropped\n 2.0 3.0 /\n 4.0\n");
  char rest[32];
  EXPECT_EQ(read_piece(*j.input, rest, sizeof rest), 7);  // the next record is still to be read
}

TEST(Join, AnySlashContinuesAndEndOfFileEndsTheRecord) {
  Joining j("m 1 \"a/b\" : 1\n", "2 / 3\n");
  EXPECT_EQ(j.join(false), JoinResult::joined);
  // The quoted slash joined "2 / 3", whose own slash then met the end of the file.
  EXPECT_STREQ(j.text, "m 1 \"a 2   3\n");
}

TEST(Join, RecordsThatWouldOverflowTheBufferAreRefused) {
  const std::string first = "m 1 : " + std::string(1000, '1') + " /\n";
  const std::string second = std::string(996, '2') + " /\n";
  Joining j(first, second + "3\n");
  EXPECT_EQ(j.join(), JoinResult::too_long);
  // Every byte read so far is kept for the unchanged copy; the rest stays unread.
  EXPECT_EQ(j.raw_bytes(), first + second);

  // Many short continuation lines: one character each, up to the buffer's end.
  std::string lines;
  for (int i = 0; i < 3000; ++i) lines += "/\n";
  Joining many("m 1 : /\n", lines);
  EXPECT_EQ(many.join(), JoinResult::too_long);
  EXPECT_LE(std::strlen(many.text), static_cast<size_t>(kRecordSize - 1));
}

TEST(Matching, FirstEqualFromModelInTableOrder) {
  test_support::Rules rules;
  const RuleTable& rule_table = rules.table();
  rules.add_rule("genrou", "gensal");
  rules.add_rule("tgov1", "ieeeg1");
  rules.add_rule("genrou", "gentpf");
  LineStart start;
  split_line_start("genrou,  12 \"BUS\" 13.8 \"1 \" : 1\n", start);
  EXPECT_STREQ(start.second, "12");
  EXPECT_EQ(match_rule_set(rule_table, start.first), 0);
  split_line_start("\ttgov1\n", start);
  EXPECT_STREQ(start.first, "tgov1\n");  // the newline is no delimiter here
  EXPECT_EQ(match_rule_set(rule_table, start.first), -1);
  split_line_start("GENROU 1", start);
  EXPECT_EQ(match_rule_set(rule_table, start.first), -1);  // case counts
  split_line_start(" , \t", start);
  EXPECT_EQ(start.first, nullptr);
  EXPECT_EQ(match_rule_set(rule_table, start.first), -1);
  // Only the first 60 characters are looked at.
  split_line_start((std::string(58, 'x') + " 1234").c_str(), start);
  EXPECT_STREQ(start.second, "1");
}

TEST(Colons, HeaderColonsAreReportedAndBlanked) {
  char text[64] = "gen:r 1 :x \"B\" 1 \"1 \" : 5\n";
  EXPECT_EQ(test_support::console_of([&] { check_header_colons(text); }),
            "Error - incorrect colon in < gen:r 1 :x \"B\" 1 \"1 \" : 5\n" + std::string(38, ' ') +
                "... >\nError - incorrect colon in < gen r 1 :x \"B\" 1 \"1 \" : 5\n" +
                std::string(38, ' ') + "... >\n");
  EXPECT_STREQ(text, "gen r 1  x \"B\" 1 \"1 \" : 5\n");
  EXPECT_EQ(find_colon(text), 23);
  EXPECT_EQ(find_colon("no colon here\n"), -1);
  std::string late(1900, 'x');
  EXPECT_EQ(find_colon((late + ":").c_str()), -1);
  late[1899] = ':';
  EXPECT_EQ(find_colon(late.c_str()), 1900);
}

TEST(Parameters, TagKeywordsAndValues) {
  Parsed p = parse("genrou 1 \"B\" 1 \"1 \" : #9 mva=615.0 8.309 0.03 0.75\n");
  EXPECT_EQ(p.colon, 21);
  EXPECT_EQ(p.mva, "mva=615.000 ");
  EXPECT_EQ(p.values.values[0], 8.309f);
  EXPECT_EQ(p.values.values[2], 0.75f);
  EXPECT_EQ(p.values.values[3], 0.0f);
  // The parse ends the text behind the first token after the colon.
  EXPECT_EQ(p.text, "genrou 1 \"B\" 1 \"1 \" : #9");

  p = parse("g 1 : #1 mwcap = 232 0.1\n");
  EXPECT_EQ(p.mva, "mwcap=232.000 ");
  EXPECT_EQ(p.values.values[0], 0.1f);
  p = parse("g 1 : mva 100 mwcap=50 7\n");  // both: mwcap wins
  EXPECT_EQ(p.mva, "mwcap=50.000  ");
  EXPECT_EQ(p.values.values[0], 7.0f);
  p = parse("g 1 : mwcap=50 mva=100 7\n");  // mva only in the first place
  EXPECT_EQ(p.mva, "mwcap=50.000  ");
  EXPECT_EQ(p.values.values[1], 100.0f);
  p = parse("g 1 : #1 mva\n");  // no number behind the keyword
  EXPECT_EQ(p.mva, "mva=0.000   ");
  p = parse("g 1 : 3e38 mva=1\n");
  EXPECT_EQ(p.mva, "");
  EXPECT_EQ(p.values.values[0], 3e38f);
  p = parse("g 1 : mva=3e38\n");
  EXPECT_EQ(p.mva, "mva=300000000549775575777803994281145270272.000");
}

TEST(Parameters, QuotedKeywordsAreSkipped) {
  Parsed p = parse("genrou 1 \"1\" 22.00 \"1 \" : #9 mva=900.00 \"tpdo\" 6.50 \"t p\" 0.079 x 4\n");
  EXPECT_EQ(p.values.values[0], 6.5f);
  EXPECT_EQ(p.values.values[1], 0.079f);
  EXPECT_EQ(p.values.values[2], 0.0f);  // a word takes its place as 0
  EXPECT_EQ(p.values.values[3], 4.0f);
  // A quote without a partner turns the blanks behind it into "_".
  p = parse("g 1 : 1 \"a 2 3\n");
  EXPECT_EQ(p.values.values[0], 1.0f);
  EXPECT_EQ(p.values.values[1], 0.0f);
  EXPECT_EQ(p.text, "g 1 : 1");
  // The token after a quoted one is taken whatever it holds.
  p = parse("g 1 : \"a\" \"b\" 5\n");
  EXPECT_EQ(p.values.values[0], 0.0f);
  EXPECT_EQ(p.values.values[1], 5.0f);
  // Tabs are no blanks inside quotes: the quoted text splits there.
  p = parse("g 1 : \"a\tb\" 5\n");
  EXPECT_EQ(p.values.values[0], 0.0f);
  EXPECT_EQ(p.values.values[1], 5.0f);
}

TEST(Parameters, TheValuesARecordGives) {
  EXPECT_EQ(parse("g 1 : 1 2\n").given, 2);
  EXPECT_EQ(parse("g 1 : 1 2 \n").given, 2);  // the line end alone is no value
  EXPECT_EQ(parse("g 1 : 1 2 \r\n").given, 2);
  EXPECT_EQ(parse("g 1 : \n").given, 0);
  EXPECT_EQ(parse("g 1 : #9 mva=100\n").given, 0);
  EXPECT_EQ(parse("g 1 : 1 abc\n").given, 2);  // a word still takes its place
  EXPECT_EQ(parse("g 1 : 1 \r 2").given, 3);   // only a last token counts out
  EXPECT_EQ(parse("g 1 : 1 \"kw\" \n").given, 1);
  std::string line = "g 1 :";
  for (int i = 1; i <= 199; ++i) line += " " + std::to_string(i);
  EXPECT_EQ(parse(line + " \n").given, 199);
  EXPECT_EQ(parse(line + " 200 201\n").given, 200);
}

TEST(Parameters, KeywordsAreKeptForTheirValues) {
  Parsed p = parse("g 1 : #9 \"tpdo\" 6.5 0.1 \"h\" 3\n");
  EXPECT_EQ(p.given, 3);
  EXPECT_EQ(p.keywords, "\"tpdo\" - \"h\"");
}

TEST(Parameters, OnlyTwoHundredValuesAreKept) {
  std::string line = "g 1 :";
  for (int i = 1; i <= 250; ++i) line += " " + std::to_string(i);
  Parsed p = parse(line + "\n");
  EXPECT_EQ(p.values.values[0], 1.0f);
  EXPECT_EQ(p.values.values[199], 200.0f);
  p = parse("g 1 : 1 2\n");
  EXPECT_EQ(p.values.values[2], 0.0f);  // earlier values are cleared
  EXPECT_EQ(p.values.values[199], 0.0f);
}

TEST(Parameters, NumbersReadAsTheFormattedScanReadsThem) {
  Parsed p = parse("g 1 : 1.5.2 -.5 +2 0x10 inf nan 1e-3x infinit\n");
  EXPECT_EQ(p.values.values[0], 1.5f);
  EXPECT_EQ(p.values.values[1], -0.5f);
  EXPECT_EQ(p.values.values[2], 2.0f);
  EXPECT_EQ(p.values.values[3], 16.0f);
  EXPECT_TRUE(std::isinf(p.values.values[4]));
  EXPECT_TRUE(std::isnan(p.values.values[5]));
  EXPECT_EQ(p.values.values[6], 0.001f);
  EXPECT_EQ(p.values.values[7], 0.0f);  // the scan refuses a cut "infinity"
}

TEST(LineEnds, WindowsLineEndsAreRecognised) {
  EXPECT_TRUE(ends_with_crlf("a : 1\r\n"));
  EXPECT_FALSE(ends_with_crlf("a : 1\n"));
  EXPECT_FALSE(ends_with_crlf("a : 1\r"));
  EXPECT_FALSE(ends_with_crlf("\n"));
}

}  // namespace
