// The checks of a whole library, file by file, with its dry run.
#include "rulecheck/check/library_check.h"

#include "rulecheck/check/check_testing.h"

namespace {

class LibraryChecks : public test_support::CheckedFolder {
 protected:
  // Loads the library as the checker does and returns its findings.
  std::string check() { return check_folder(); }
};

TEST_F(LibraryChecks, EveryFileIsCheckedAndTheLoadGoesOnPastFailures) {
  write_file("rule.txt", "genrou gentpj\nexst1 esst1a\ngenrou gensal\nlonglonglonglonglong x\n");
  write_file("lib/genrou-gentpj",
             "@h 2\nd\n@h\n@end\n"
             "$a=@h*2 3 1 ($a>5) 9\n"
             "$b=1\n"
             "$c=@h NULL\n"
             "$a=0 0 0 1 NULL1\n"
             "$end\n");
  write_file("lib/genrou-gensal", "@end\n$x=$y\n$end\n");
  const std::string findings = check();
  EXPECT_FALSE(loaded_);
  EXPECT_EQ(findings,
            "rule.txt:3:1: warning: from-model [genrou] is already converted by the pair on line "
            "1: this pair is never used\n"
            "rule.txt:4:1: error: rule library limit exceeded: name longer than 15 characters\n"
            "rule.txt:2:1: error: cannot open the rule file [lib/exst1-esst1a]\n"
            "lib/genrou-gentpj:2:1: warning: input name [d] does not begin with \"@\": no "
            "expression can read it\n"
            "lib/genrou-gentpj:3:1: warning: input [@h] is given twice: only the first, on line "
            "1, is ever found\n"
            "lib/genrou-gentpj:5:9: warning: low limit [3] above high limit [1]\n"
            "lib/genrou-gentpj:5:1: warning: dry run on the rule file's input values: [$a] fails "
            "its test [($a>5)] and is replaced by 9\n"
            "lib/genrou-gentpj:7: warning: no test expression for [$c]: its value is never "
            "checked\n"
            "lib/genrou-gentpj:8:1: warning: output [$a] is given twice: only the first, on line "
            "5, is ever found\n"
            "lib/genrou-gentpj:8:1: warning: assigns the earlier output of the same name [$a], not "
            "its own parameter\n"
            "lib/genrou-gentpj:8:12: warning: replace expression [NULL1] begins with \"NULL\": it "
            "is never evaluated, the value is kept\n"
            // Layouts: genrou's h is its 5th value, not its 1st or 3rd.
            "lib/genrou-gentpj:1: error: input [@h]: position 1 of genrou holds tpdo; h is "
            "position 5\n"
            "lib/genrou-gentpj:3: error: input [@h]: position 3 of genrou holds tpqo; h is "
            "position 5\n"
            "lib/genrou-gentpj:9: note: 0 of the 4 output names are parameters of [gentpj]: the "
            "rule uses names of its own, so their positions are not checked\n"
            "lib/genrou-gensal:2:4: error: unknown name [$y]\n"
            "lib/genrou-gensal:2: warning: no test expression for [$x]: its value is never "
            "checked\n"
            "lib/genrou-gensal:2:1: warning: dry run on the rule file's input values: [$x] ends at "
            "-99999, below -99998: the record would fail\n"
            "lib/genrou-gensal:3: note: 0 of the 1 output names are parameters of [gensal]: the "
            "rule uses names of its own, so their positions are not checked\n");
}

}  // namespace
