// Fuzz target: rulecheck --fit on an arbitrary fit file and data file, with a rule whose
// outputs the fit file may name. The input up to the first NUL byte is the fit file
// "lib/tgov1-ieeeg1.fit"; the rest is the data file. A run must end with status 0 or 1,
// and a fitted file, when written, must hold as many lines as modelconv's would.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "fuzz_support.h"
#include "rulecheck/rulecheck.h"

namespace {
CheckRun run;  // one run after another: the table is emptied before each

int lines_of(const char* name) {
  std::FILE* f = std::fopen(name, "rb");
  if (!f) return -1;
  int lines = 0;
  for (int c; (c = std::fgetc(f)) != EOF;) lines += c == '\n';
  std::fclose(f);
  return lines;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::enter_work_folder();
  // A rule of the simulated models: the shares and gains a fit would tune.
  fuzz_support::write_text("rule.txt", "tgov1 ieeeg1\n");
  fuzz_support::write_text(
      "lib/tgov1-ieeeg1",
      "@r 0.05\n@t1 0.5\n@vmax 1\n@vmin 0\n@t2 3\n@t3 10\n@dt 0\n@end\n"
      "$k=1/@r 10 30 ($k>0) 20\n$t1=0\n$t2=0\n$t3=@t1 0.1 0.5\n$uo=99\n$uc=-99\n"
      "$pmax=@vmax 1 1\n$pmin=@vmin 0 0\n$t4=0\n$k1=0.5 0 1\n$k2=0\n$t5=@t3 0 20\n"
      "$k3=1-$k1 0 1\n$end\n");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const void* nul = std::memchr(data, '\0', size);
  const size_t fit = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - data) : size;
  const size_t start = nul ? fit + 1 : size;
  fuzz_support::write_file("lib/tgov1-ieeeg1.fit", data, fit);
  fuzz_support::write_file("data.dyd", data + start, size - start);
  std::remove("fitted.dyd");
  reset_rule_table(run.library.table);
  char* argv[] = {const_cast<char*>("rulecheck"),  const_cast<char*>("--data"),
                  const_cast<char*>("data.dyd"),   const_cast<char*>("--fit"),
                  const_cast<char*>("fitted.dyd"), nullptr};
  std::FILE* out = std::freopen("/dev/null", "w", stdout);
  const int status = run_rulecheck(5, argv, run);
  if (!out) std::abort();
  if (status != 0 && status != 1) std::abort();
  // The fitted file holds the data file's lines and a comment line per converted record.
  const int fitted = lines_of("fitted.dyd");
  if (fitted >= 0 && fitted < lines_of("data.dyd")) std::abort();
  return 0;
}
