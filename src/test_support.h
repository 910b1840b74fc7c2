// Helpers shared by the unit tests: building rule sets by hand, temporary folders and
// capturing what a stream receives.
#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "expr/compiled_library.h"
#include "io/line_reader.h"
#include "rules/rule_table.h"

namespace test_support {

inline RuleSet& add_rule(const char* from, const char* to) {
  RuleSet& r = rule_table.rule_sets[rule_table.rule_count++];
  std::strcpy(r.from_model, from);
  std::strcpy(r.to_model, to);
  std::strcpy(r.replace_expressions[0], "NULL");
  return r;
}

// An empty table with one RuleSet in it, RuleSet 0.
inline RuleSet& only_rule(const char* from, const char* to) {
  reset_rule_table(rule_table);
  return add_rule(from, to);
}

inline void add_input(RuleSet& r, const char* name, float value) {
  std::strcpy(r.input_names[r.input_count], name);
  r.input_values[r.input_count++] = value;
}

inline void add_output(RuleSet& r, const char* assignment, const char* test = "",
                       const char* replace = "NULL", float start = 0.0f) {
  int k = r.output_count++;
  std::strcpy(r.expressions[k], assignment);
  const char* equals = std::strchr(assignment, '=');
  size_t n = equals ? static_cast<size_t>(equals - assignment) : std::strlen(assignment);
  std::memcpy(r.output_names[k], assignment, n);
  r.output_names[k][n] = '\0';
  std::strcpy(r.test_expressions[k], test);
  std::strcpy(r.replace_expressions[k], replace);
  r.output_values[k] = start;
}

// The RuleSet the expression tests evaluate in, RuleSet 0 of the table: inputs @a = 0,
// @b = 5, @three = 3 and @nan, outputs $x and $y starting at 2.5 and -1.
inline RuleSet& add_expression_rule() {
  reset_rule_table(rule_table);
  RuleSet& r = add_rule("genrou", "gensal");
  add_input(r, "@a", 0.0f);
  add_input(r, "@b", 5.0f);
  add_input(r, "@three", 3.0f);
  add_input(r, "@nan", std::numeric_limits<float>::quiet_NaN());
  add_output(r, "$x=@a", "", "NULL", 2.5f);
  add_output(r, "$y=@b", "", "NULL", -1.0f);
  return r;
}

// RuleSet `index` of the table with its expressions compiled as they stand now.
inline ActiveRule compiled_rule(int index) {
  static CompiledLibrary library;
  compile_library(rule_table, library);
  return active_rule(rule_table, library, index);
}

// A stream whose bytes can be read back.
struct CapturedFile {
  std::FILE* f = std::tmpfile();
  ~CapturedFile() { std::fclose(f); }
  std::string text() {
    std::fflush(f);
    long end = std::ftell(f);
    std::string s(static_cast<size_t>(end), '\0');
    std::rewind(f);
    size_t got = std::fread(s.data(), 1, s.size(), f);
    s.resize(got);
    std::fseek(f, 0, SEEK_END);
    return s;
  }
};

// A stream that reads the given bytes.
inline std::FILE* stream_of(const std::string& bytes) {
  std::FILE* f = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  return f;
}

// A line input that reads the given bytes (one at a time: each call starts it anew).
inline LineInput& input_of(const std::string& bytes) {
  static LineInput in;
  input_start(in, stream_of(bytes));
  return in;
}

// Runs each test in a fresh empty working folder.
class InTempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_rule_table(rule_table);
    char pattern[] = "/tmp/convtest-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    ASSERT_NE(getcwd(previous_, sizeof previous_), nullptr);
    ASSERT_EQ(chdir(folder_.c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(previous_), 0);
    std::string command = "rm -rf '" + folder_ + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  static void write_file(const char* name, const std::string& bytes) {
    std::FILE* f = std::fopen(name, "wb");
    ASSERT_NE(f, nullptr) << name;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  static std::string read_file(const char* name) {
    std::FILE* f = std::fopen(name, "rb");
    if (!f) return "<missing>";
    std::string s;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
    return s;
  }

 private:
  std::string folder_;
  char previous_[4096];
};

// A fresh working folder with an empty "lib/" in it, for rule libraries.
class InLibraryFolder : public InTempFolder {
 protected:
  void SetUp() override {
    InTempFolder::SetUp();
    ASSERT_EQ(mkdir("lib", 0755), 0);
  }
};

}  // namespace test_support
