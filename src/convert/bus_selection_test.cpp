// Classifying the selection argument, reading bus lists and the selection test.
#include "convert/bus_selection.h"

#include <sys/stat.h>

#include <vector>

#include "test_support.h"

namespace {

class BusLists : public test_support::InTempFolder {
 protected:
  // Reads the list from a file named `name`; returns the echo lines.
  std::string read(const char* name, const std::string& content, bool* ok = nullptr) {
    write_file(name, content);
    EXPECT_EQ(classify_selection(name, selection_), SelectionArgument::file_opened);
    bool result = false;
    const std::string echo =
        test_support::console_of([&] { result = read_bus_list(selection_, name, *line_); });
    if (ok) *ok = result;
    std::fclose(selection_.file);
    return echo;
  }
  std::vector<int> entries() {
    return std::vector<int>(selection_.bus_list, selection_.bus_list + selection_.bus_count);
  }
  static BusSelection selection_;
  test_support::Zeroed<WholeLine> line_;
};
BusSelection BusLists::selection_;

TEST_F(BusLists, ArgumentClassification) {
  EXPECT_EQ(classify_selection("all", selection_), SelectionArgument::all);
  EXPECT_EQ(selection_.basis, SelectionBasis::all);
  EXPECT_STREQ(basis_name(selection_.basis), "all");
  EXPECT_EQ(classify_selection("allbuses", selection_), SelectionArgument::all);
  EXPECT_EQ(classify_selection("include", selection_), SelectionArgument::refused);  // no file
  EXPECT_EQ(classify_selection("some", selection_), SelectionArgument::refused);
  EXPECT_EQ(classify_selection("Include", selection_), SelectionArgument::refused);
  mkdir("exclude", 0755);
  EXPECT_EQ(classify_selection("exclude", selection_), SelectionArgument::refused);
  write_file("include-area1", "");
  EXPECT_EQ(classify_selection("include-area1", selection_), SelectionArgument::file_opened);
  EXPECT_EQ(selection_.basis, SelectionBasis::include);
  std::fclose(selection_.file);
}

TEST_F(BusLists, LineRules) {
  std::string echo = read("include",
                          "101\n"
                          "\"102\", \"BUS\"\n"
                          "103abc\n"
                          "-104\n"
                          "\n"
                          "text\n"
                          "# comment\n"
                          "#105 taken whatever it holds\n"
                          "# two comments\n"
                          "# in a row\n"
                          "\t106\n"
                          "101\n"
                          "# last line\n");
  EXPECT_EQ(entries(), (std::vector<int>{101, 102, 103, -104, 0, 0, 0, 0, 106, 101, 0}));
  EXPECT_EQ(echo.substr(0, 44), "[include]  [     101]\n[include]  [     102]\n");
}

TEST_F(BusLists, LongLinesAreReadWhole) {
  // A long trailing comment, a long comment line and a number behind many blanks: one
  // entry per line, never a phantom entry from a line's tail.
  std::string echo = read("exclude", "12 " + std::string(200, 'c') + "\n#" + std::string(300, '-') +
                                         "\n13\n" + std::string(79, ' ') + "7\n");
  EXPECT_EQ(entries(), (std::vector<int>{12, 13, 7}));
  EXPECT_EQ(echo, "[exclude]  [      12]\n[exclude]  [      13]\n[exclude]  [       7]\n");
}

TEST_F(BusLists, MoreThan30000EntriesStop) {
  std::string many;
  for (int i = 0; i < 30000; ++i) many += "1\n";
  bool ok;
  read("include", many, &ok);
  EXPECT_TRUE(ok);
  std::string echo = read("include", many + "2\n", &ok);
  EXPECT_FALSE(ok);
  EXPECT_NE(echo.find("Bus selection file [include] holds more than 30000 bus numbers\n"),
            std::string::npos);
}

TEST_F(BusLists, SelectionTable) {
  read("include", "5\n5\n7\n");
  EXPECT_TRUE(bus_selected(selection_, 5));
  EXPECT_TRUE(bus_selected(selection_, 7));
  EXPECT_FALSE(bus_selected(selection_, 6));
  read("exclude", "5\n7\n");
  EXPECT_FALSE(bus_selected(selection_, 5));
  EXPECT_TRUE(bus_selected(selection_, 6));
  read("exclude", "");
  EXPECT_TRUE(bus_selected(selection_, 0));
  read("include", "");
  EXPECT_FALSE(bus_selected(selection_, 0));
  classify_selection("all", selection_);
  EXPECT_TRUE(bus_selected(selection_, -3));
  selection_.basis = SelectionBasis::none;
  EXPECT_FALSE(bus_selected(selection_, 5));
}

}  // namespace
