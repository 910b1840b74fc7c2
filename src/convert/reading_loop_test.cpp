// modelconv's reading loop: what is copied, what is converted, the line trace, the
// records it cannot convert, and what an observer learns.
#include "convert/reading_loop.h"

#include <string>
#include <vector>

#include "test_support.h"

namespace {

struct Seen final : LoopObserver {
  std::vector<int> converted;  // the rule of each record converted
  int failed = 0;
  int suspects = 0;
  std::vector<std::string> without_rule;
  std::vector<int> blank_led;  // line numbers
  void record_converted(const ConvertedRecord& record) override {
    converted.push_back(record.rule);
    failed += record.conversion.failed;
    suspects += record.conversion.suspects;
  }
  void blank_led_line(int, int line) override { blank_led.push_back(line); }
  void model_without_rule(const char* model) override { without_rule.push_back(model); }
};

class ReadingLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    RuleSet& r = rules_.add_rule("genrou", "gensal");
    rules_.add_input(r, "@a", 0.0f);
    rules_.add_input(r, "@b", 0.0f);
    rules_.add_output(r, "$a=@a*2", "($a<10)", "9");
    rules_.add_output(r, "$b=1/@b");
    selection_->basis = SelectionBasis::exclude;  // an empty exclude list: every bus
    selection_->bus_count = 0;
  }
  // Runs the loop over `input`; returns the console messages.
  std::string run(const std::string& input, Seen* seen = nullptr) {
    rules_.compile();
    std::FILE* data = test_support::stream_of(input);
    const std::string messages = test_support::console_of([&] {
      convert_data_file(
          data, *rules_.library, *rules_.state, *selection_,
          LoopOutputs{out_.f, trace_.f, {log_.f, nullptr, false, BusNameForm::token}, seen, nullptr},
          *buffers_);
    });
    std::fclose(data);
    return messages;
  }
  test_support::Rules rules_;
  test_support::Zeroed<BusSelection> selection_;
  test_support::Zeroed<LoopBuffers> buffers_;
  test_support::CapturedFile out_, trace_, log_;
};

TEST_F(ReadingLoop, CopiesEveryLineItDoesNotConvert) {
  const std::string input =
      "# a comment\n"
      "gencls 1 \"A\" 1 \"1 \" : #9 1 2\n"
      "GENROU 2 \"B\" 1 \"1 \" : #9 1 2\n"  // case counts
      "\n"
      "no newline at the end";
  Seen seen;
  EXPECT_EQ(run(input, &seen), "");
  EXPECT_EQ(out_.text(), input);
  EXPECT_EQ(trace_.text(), "       1\n       2\n       3\n       4\n       5\n");
  EXPECT_EQ(seen.without_rule, (std::vector<std::string>{"gencls", "GENROU"}));
  EXPECT_EQ(rules_.counts(0).found, 0);
}

TEST_F(ReadingLoop, ConvertsSelectedRecordsWithTheirContinuations) {
  Seen seen;
  EXPECT_EQ(run("genrou 5 \"A\" 1 \"1 \" : #9 mva=100 7 /\n 2\nafter\n", &seen), "");
  EXPECT_EQ(out_.text(),
            "#[genrou] [gensal]\n"
            "gensal 5 \"A\" 1 \"1 \" : #9 mva=100.000    9.0000   0.5000\n"
            "after\n");
  // The continuation line gets no trace number of its own.
  EXPECT_EQ(trace_.text(), "       1\n       2\n");
  EXPECT_EQ(seen.converted, (std::vector<int>{0}));
  EXPECT_EQ(seen.suspects, 1);  // 14 is not below 10: replaced by 9
  EXPECT_NE(log_.text().find("#, ($a<10)"), std::string::npos);
  EXPECT_EQ(rules_.counts(0).converted, 1);
}

TEST_F(ReadingLoop, ShortRecordsAndLinesThatBeginWithABlank) {
  Seen seen;
  const std::string long_line = " " + std::string(2100, '9') + "\n";
  const std::string messages =
      run("genrou 5 \"A\" 1 \"1 \" : 1\n"    // line 1: gives 1 of 2 values
          " 2\n"                             // 2: told
          "\t3\n"                            // 3: told too
          "# a comment ends the run\n"       // 4
          " 4\n"                             // 5: not told
          "genrou 5 \"A\" 1 \"1 \" : 1 /\n"  // 6: continued, whole
          "2\n" +                            // 7
              long_line +                    // 8: told once, for its first piece
              "  \t\r\n"                     // 9: blanks end the run
              " 5\n",                        // 10
          &seen);
  EXPECT_EQ(messages,
            "Record at line 1 gives 1 values, rule [genrou] reads 2: the missing inputs are 0\n"
            // told before the conversion, whose messages follow
            "divide by zero\n[[genrou, 5       , \"A\", 1.00    , \"1 \"]]\n"
            "Line 2 begins with a blank after a converted record: it is copied unchanged, not "
            "read into that record\n"
            "Line 3 begins with a blank after a converted record: it is copied unchanged, not "
            "read into that record\n"
            "Line 8 begins with a blank after a converted record: it is copied unchanged, not "
            "read into that record\n");
  EXPECT_EQ(seen.blank_led, (std::vector<int>{2, 3, 8}));
  EXPECT_EQ(seen.converted, (std::vector<int>{0, 0}));
}

TEST_F(ReadingLoop, ARecordCopiedUnchangedCanBeginWithABlankToo) {
  // A line that names a model but has no colon to convert by is copied as it was read:
  // after a converted record, one that begins with a blank is told like any other.
  Seen seen;
  const std::string messages =
      run("genrou 5 \"A\" 1 \"1 \" : 1 2\n"
          " genrou 6 7\n"
          " 8\n",
          &seen);
  EXPECT_EQ(messages,
            "Error - no colon in the first 1900 characters, copied unchanged <  genrou 6 7\n" +
                std::string(52, ' ') +
                "... >\n"
                "Line 2 begins with a blank after a converted record: it is copied unchanged, not "
                "read into that record\n"
                "Line 3 begins with a blank after a converted record: it is copied unchanged, not "
                "read into that record\n");
  EXPECT_EQ(seen.blank_led, (std::vector<int>{2, 3}));
}

TEST_F(ReadingLoop, BusSelectionAndTheBusNumberThatCarriesOver) {
  selection_->basis = SelectionBasis::include;
  selection_->bus_list[0] = selection_->sorted[0] = 7;
  selection_->bus_count = 1;
  // The third line's second token holds no number: the 7 of the line before it counts,
  // so the record is selected (and then has no colon to convert by).
  const std::string input = "genrou 5 \"A\" 1 \"1 \" : 1 1\nx 7\ngenrou x\n";
  EXPECT_EQ(run(input),
            "Error - no colon in the first 1900 characters, copied unchanged < genrou x\n" +
                std::string(55, ' ') + "... >\n");
  EXPECT_EQ(out_.text(), input);
  EXPECT_EQ(rules_.counts(0).found, 2);
  EXPECT_EQ(rules_.counts(0).converted, 0);
}

TEST_F(ReadingLoop, RecordsItCannotConvertAreCopiedAsRead) {
  const std::string no_colon = "genrou 5 \"A\" 1 \"1 \" 1 2\n";
  const std::string long_header = "genrou 5 \"" + std::string(300, 'A') + "\" : 1\n";
  const std::string too_long =
      "genrou 5 /\n" + std::string(1990, '1') + " /\n" + std::string(100, '2') + "\n";
  Seen seen;
  const std::string messages = run(no_colon + long_header + too_long, &seen);
  EXPECT_EQ(out_.text(), no_colon + long_header + too_long);
  EXPECT_NE(messages.find("Error - no colon in the first 1900 characters, copied unchanged < "),
            std::string::npos);
  EXPECT_NE(messages.find("Error - header longer than 299 characters, copied unchanged < "),
            std::string::npos);
  EXPECT_NE(messages.find("Error - record longer than 1999 characters, copied unchanged < "),
            std::string::npos);
  EXPECT_TRUE(seen.converted.empty());
}

}  // namespace
