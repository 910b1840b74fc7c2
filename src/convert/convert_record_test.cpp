// Converting one record: values handed back, marks, log and changes bytes, failures.
#include "convert/convert_record.h"

#include "test_support.h"

namespace {

class Conversion : public ::testing::Test {
 protected:
  void SetUp() override {
    rule_ = &rules_.add_rule("genrou", "gensal");
    rules_.add_input(*rule_, "@h", 4.0f);
    rules_.add_input(*rule_, "@d", 0.0f);
  }
  // Converts the record and returns what the console received.
  std::string convert(const char* record = kRecord, bool echo = false,
                      BusNameForm form = BusNameForm::token) {
    std::strcpy(text_, record);
    int colon = static_cast<int>(std::strchr(text_, ':') - text_) + 1;
    const ActiveRule rule = rules_.compiled_rule(0);
    return test_support::console_of([&] {
      result_ = convert_record(rule, text_, colon, ConvertStreams{log_.f, changes_.f, echo, form});
      colon_ = result_.header_end;
    });
  }
  const RuleCounts& counts() const { return rules_.counts(0); }
  static constexpr const char* kRecord = "genrou 12 \"BUS ONE\" 13.80 \"1\" : #9 mva=100 4 0\n";
  // The display header of kRecord, padded to the 48 columns of a suspect line.
  static std::string display48() {
    std::string d = "genrou, 12      , \"BUS\", 0.00    , \"13\"";
    return d + std::string(48 - d.size(), ' ');
  }
  test_support::Rules rules_;
  RuleSet* rule_;
  int colon_ = 0;  // of the renamed header
  ConversionResult result_;
  char text_[kRecordSize];
  test_support::CapturedFile log_;
  test_support::CapturedFile changes_;
};

TEST_F(Conversion, PassingRecordWritesNothingAndCounts) {
  rules_.add_output(*rule_, "$h=@h*2", "$h>0");
  rules_.add_output(*rule_, "$s=$h+1");  // may use an output computed before it
  EXPECT_EQ(convert(), "");
  EXPECT_EQ(result_.outputs[0], 8.0f);
  EXPECT_EQ(result_.outputs[1], 9.0f);
  EXPECT_EQ(std::string(text_, 10), "gensal 12 ");
  EXPECT_EQ(counts().converted, 1);
  EXPECT_EQ(log_.text(), "");
  EXPECT_EQ(changes_.text(), "");
}

TEST_F(Conversion, SuspectKeptAndReplaced) {
  rules_.add_output(*rule_, "$h=@h", "($h>5)");         // kept: "*"
  rules_.add_output(*rule_, "$d=@d", "$d", "5");        // replaced: "#"
  rules_.add_output(*rule_, "$abcdefghijklmn=1", "1");  // passes
  EXPECT_EQ(convert(), "");
  const std::string first = display48() + ",   $h              ,    4.0000,    4.0000, *, ($h>5)" +
                            std::string(42, ' ') + "\n";
  const std::string second = display48() + ",   $d              ,    0.0000,    5.0000, #, $d" +
                             std::string(46, ' ') + "5" + std::string(31, ' ') + "\n";
  EXPECT_EQ(log_.text(), first + second);
  EXPECT_EQ(changes_.text(), "\n" + first + second +
                                 "$h                        4.0000    *  ($h>5)" +
                                 std::string(58, ' ') + "\n" +
                                 "$d                        5.0000    #  5" + std::string(63, ' ') +
                                 "\n" + "$abcdefghijklmn " + "  " + "        1.0000" + "   \n");
  EXPECT_EQ(result_.outputs[1], 5.0f);
  EXPECT_EQ(result_.marks[0], ValueMark::kept);
  EXPECT_EQ(result_.marks[1], ValueMark::replaced);
  EXPECT_EQ(result_.marks[2], ValueMark::passed);
  EXPECT_EQ(result_.suspect_values[1], 0.0f);  // before its replacement
  EXPECT_EQ(counts().converted, 1);
  EXPECT_EQ(counts().suspects, 2);
  EXPECT_EQ(counts().replaced, 1);
}

TEST_F(Conversion, UnitCaseEchoesSuspectLinesAndKeepsBlanksInTheName) {
  rules_.add_output(*rule_, "$d=@d", "$d");
  std::string echoed =
      convert("genrou 2 \"NEW     \" 13.8 \"1 \" :  #9 1 0\n", true, BusNameForm::quoted);
  std::string line = "genrou, 2       , \"NEW     \", 13.80   , \"1 \"";
  line += std::string(48 - line.size(), ' ') + ",   $d              ,    0.0000,    0.0000, *, $d" +
          std::string(46, ' ') + "\n";
  EXPECT_EQ(echoed, line);
  EXPECT_EQ(log_.text(), line);
}

TEST_F(Conversion, ReplaceTextsBeginningWithNullAreNotEvaluated) {
  rules_.add_output(*rule_, "$d=@d", "0", "NULL1");
  convert();
  EXPECT_EQ(log_.text(), display48() + ",   $d              ,    0.0000,    0.0000, *, 0" +
                             std::string(47, ' ') + "NULL1" + std::string(27, ' ') + "\n");
}

TEST_F(Conversion, OnlyPositiveZeroFailsATest) {
  rules_.add_output(*rule_, "$a=1", "0*-1");  // negative zero passes
  rules_.add_output(*rule_, "$b=1", "0/0");   // -99999 passes
  EXPECT_EQ(convert(), "divide by zero\n");
  EXPECT_EQ(log_.text(), "");
}

TEST_F(Conversion, EmptyTestsPassAndNoValueTestsReuseThePrevious) {
  rules_.add_output(*rule_, "$a=1", ";");  // first: starts at 1, passes
  rules_.add_output(*rule_, "$b=2", "0");  // suspect
  rules_.add_output(*rule_, "$c=3", "");   // no test: passes
  rules_.add_output(*rule_, "$e=4", ";");  // reuses the 0 of $b
  convert();
  const std::string log = log_.text();
  EXPECT_EQ(log.find("$a "), std::string::npos);
  EXPECT_NE(log.find("$b "), std::string::npos);
  EXPECT_EQ(log.find("$c "), std::string::npos);
  EXPECT_NE(log.find("$e "), std::string::npos);
}

TEST_F(Conversion, UnusableOutputsFailTheRecord) {
  rules_.add_output(*rule_, "$a=@zz");
  rules_.add_output(*rule_, "$b=-99998");  // exactly the threshold: usable
  rules_.add_output(*rule_, "$c=0-2^0.5-(0-1)^0.5");
  std::string messages = convert();
  EXPECT_EQ(messages,
            "Unknown name [@zz] for [genrou]   0\n"
            "[[genrou, 12      , \"BUS\", 0.00    , \"13\"]]\n"
            "[[genrou, 12      , \"BUS\", 0.00    , \"13\"]]\n");
  EXPECT_EQ(std::string(text_, 10), "failed 12 ");
  EXPECT_EQ(result_.outputs[0], -99999.0f);
  EXPECT_EQ(result_.outputs[1], -99998.0f);
  EXPECT_EQ(counts().converted, 0);
  EXPECT_EQ(counts().failed, 1);
}

TEST_F(Conversion, ModelFieldTakesTheToModelName) {
  std::strcpy(rule_->to_model, "gast2");
  EXPECT_EQ(convert(), "");
  EXPECT_EQ(colon_, 31);
  EXPECT_EQ(std::string(text_, 10), "gast2  12 ");  // no outputs: still converted
  EXPECT_EQ(counts().converted, 1);
  // A name that would reach the bus number moves the header, and its colon, behind it.
  std::strcpy(rule_->to_model, "longmodelname");
  convert();
  EXPECT_EQ(std::string(text_, colon_), "longmodelname 12 \"BUS ONE\" 13.80 \"1\" :");
  EXPECT_EQ(colon_, 38);
}

TEST_F(Conversion, FailedRecordsKeepTheirBusNumber) {
  rules_.add_output(*rule_, "$x=@unknown");
  EXPECT_EQ(
      convert("sexs 102,\"A\" 1 \"1 \" : 1\n"),
      "Unknown name [@unknown] for [genrou]   0\n[[sexs  , 102     , \"A\", 1.00    , \"1 \"]]\n");
  EXPECT_EQ(std::string(text_, colon_), "failed 102,\"A\" 1 \"1 \" :");
  EXPECT_EQ(counts().converted, 0);
}

TEST_F(Conversion, OutputValuesPersistFromRecordToRecord) {
  rules_.add_output(*rule_, "$p=$p+1", "", "NULL", 5.0f);  // starts at the mid value
  convert();
  EXPECT_EQ(result_.outputs[0], 6.0f);
  convert();
  EXPECT_EQ(result_.outputs[0], 7.0f);
}

}  // namespace
