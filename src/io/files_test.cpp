// Telling when an output of the run would overwrite one of its inputs or outputs.
#include "io/files.h"

#include <sys/stat.h>
#include <unistd.h>

#include "test_support.h"

namespace {

class OutputGuard : public test_support::InTempFolder {
 protected:
  const char* clash(std::initializer_list<const char*> written,
                    std::initializer_list<const char*> read) {
    const NameList read_list{read.begin(), static_cast<int>(read.size())};
    return find_clashing_output(NameList{written.begin(), static_cast<int>(written.size())},
                                &read_list, 1);
  }
};

TEST_F(OutputGuard, OutputsMustDifferFromInputsAndFromEachOther) {
  write_file("data.dyd", "x\n");
  write_file("rule.txt", "");
  mkdir("sub", 0755);
  EXPECT_EQ(clash({"out", "log", "chg"}, {"data.dyd", "rule.txt"}), nullptr);
  EXPECT_STREQ(clash({"out", "data.dyd", "chg"}, {"data.dyd"}), "data.dyd");
  EXPECT_STREQ(clash({"out", "./sub/../rule.txt"}, {"data.dyd", "rule.txt"}), "./sub/../rule.txt");
  // Names that do not exist yet clash when they resolve to one path.
  EXPECT_STREQ(clash({"out", "log", "sub/../log"}, {}), "log");
  EXPECT_STREQ(clash({"out", "log", "out"}, {}), "out");
  // A hard link is the same file under another name.
  ASSERT_EQ(link("data.dyd", "alias.dyd"), 0);
  EXPECT_STREQ(clash({"alias.dyd"}, {"data.dyd"}), "alias.dyd");
  // Devices never clash; an input that does not exist neither.
  EXPECT_EQ(clash({"/dev/null", "/dev/null"}, {"/dev/null"}), nullptr);
  EXPECT_EQ(clash({"out"}, {"out"}), nullptr);
}

TEST_F(OutputGuard, EveryNameIsCheckedHoweverManyThereAre) {
  write_file("data.dyd", "x\n");
  // The clash stands behind more written names than any run gives, and behind empty
  // places in both lists.
  EXPECT_STREQ(clash({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", nullptr, "data.dyd"},
                     {nullptr, "x", "y", "z", "data.dyd"}),
               "data.dyd");
  EXPECT_STREQ(clash({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "a"}, {}), "a");
}

TEST_F(OutputGuard, FoldersAreNoInputFiles) {
  mkdir("folder", 0755);
  EXPECT_EQ(open_for_reading("folder"), nullptr);
  EXPECT_EQ(open_for_reading("missing"), nullptr);
  write_file("file", "");
  std::FILE* f = open_for_reading("file");
  EXPECT_NE(f, nullptr);
  std::fclose(f);
}

TEST(WrittenFiles, WriteErrorsAreReported) {
  std::FILE* full = std::fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  std::fputs("x", full);
  bool closed = true;
  EXPECT_EQ(test_support::console_of([&] { closed = close_written_file(full, "/dev/full"); }),
            "Error writing file [/dev/full]\n");
  EXPECT_FALSE(closed);
  EXPECT_TRUE(close_written_file(stdout, "log"));
}

}  // namespace
