// Helpers shared by the unit tests: building rule sets by hand, temporary folders and
// capturing what a stream or the console receives.
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
#include "io/console.h"
#include "io/line_reader.h"
#include "rules/rule_table.h"

namespace test_support {

// A fixed-size struct of the programs, zeroed as static storage would be, on the heap:
// a rule library is too large for the stack.
template <class T>
class Zeroed {
 public:
  Zeroed() : p_(static_cast<T*>(std::calloc(1, sizeof(T)))) {}
  ~Zeroed() { std::free(p_); }
  Zeroed(const Zeroed&) = delete;
  Zeroed& operator=(const Zeroed&) = delete;
  T& operator*() const { return *p_; }
  T* operator->() const { return p_; }

 private:
  T* p_;
};

// A rule library built by hand, with the working values and counts a run keeps beside
// it. A value given to an input or output is its start and its present value, as after
// loading.
struct Rules {
  Zeroed<RuleLibrary> library;
  Zeroed<RuleState> state;

  RuleTable& table() const { return library->table; }
  RuleSet& add_rule(const char* from, const char* to) {
    RuleSet& r = table().rule_sets[table().rule_count++];
    std::strcpy(r.from_model, from);
    std::strcpy(r.to_model, to);
    std::strcpy(r.replace_expressions[0], "NULL");
    return r;
  }
  int index_of(const RuleSet& r) const { return static_cast<int>(&r - table().rule_sets); }
  RuleValues& values(int i) const { return state->values[i]; }
  RuleCounts& counts(int i) const { return state->counts[i]; }
  void add_input(RuleSet& r, const char* name, float value) {
    std::strcpy(r.input_names[r.input_count], name);
    r.input_start[r.input_count] = value;
    values(index_of(r)).inputs[r.input_count++] = value;
  }
  void add_output(RuleSet& r, const char* assignment, const char* test = "",
                  const char* replace = "NULL", float start = 0.0f) {
    int k = r.output_count++;
    std::strcpy(r.expressions[k], assignment);
    const char* equals = std::strchr(assignment, '=');
    size_t n = equals ? static_cast<size_t>(equals - assignment) : std::strlen(assignment);
    std::memcpy(r.output_names[k], assignment, n);
    r.output_names[k][n] = '\0';
    std::strcpy(r.test_expressions[k], test);
    std::strcpy(r.replace_expressions[k], replace);
    r.replacements[k] = replacement_of(replace);
    r.output_start[k] = start;
    values(index_of(r)).outputs[k] = start;
  }
  // The expression tests' RuleSet, RuleSet 0: inputs @a = 0, @b = 5, @three = 3 and
  // @nan, outputs $x and $y starting at 2.5 and -1.
  RuleSet& add_expression_rule() {
    RuleSet& r = add_rule("genrou", "gensal");
    add_input(r, "@a", 0.0f);
    add_input(r, "@b", 5.0f);
    add_input(r, "@three", 3.0f);
    add_input(r, "@nan", std::numeric_limits<float>::quiet_NaN());
    add_output(r, "$x=@a", "", "NULL", 2.5f);
    add_output(r, "$y=@b", "", "NULL", -1.0f);
    return r;
  }
  // The library's expressions compiled as they stand now.
  void compile() const { compile_library(library->table, library->compiled); }
  // RuleSet `index`, compiled as the library stands now, on its present values.
  ActiveRule compiled_rule(int index) const {
    compile();
    return active_rule(*library, *state, index);
  }
};

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

// A line input that reads the given bytes.
inline void start_input(LineInput& input, const std::string& bytes) {
  input_start(input, stream_of(bytes));
}

// What the console receives while `action` runs, sent to a file by the console's switch.
template <class Action>
std::string console_of(Action&& action) {
  CapturedFile captured;
  {
    ConsoleSwitch to(captured.f);
    action();
  }
  return captured.text();
}

// Runs each test in a fresh empty working folder.
class InTempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
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
