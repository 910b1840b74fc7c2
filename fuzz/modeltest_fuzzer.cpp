// Fuzz target: the whole unit-case builder on an arbitrary data file.
#include <cstdint>

#include "fuzz_support.h"
#include "modeltest/modeltest.h"
#include "rules/rule_table.h"

namespace {
TestCaseRun run;  // one run after another: the table is emptied before each
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::enter_work_folder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::write_file("data.dyd", data, size);
  reset_rule_table(run.start.library.table);
  // Bus 5 with "CC" and with "1 ", chosen by the input, so both header tables are reached.
  const char* id = size > 0 && (data[0] & 1) ? "CC" : "1 ";
  char* argv[] = {const_cast<char*>("modeltest"),   const_cast<char*>("data.dyd"),
                  const_cast<char*>("5"),           const_cast<char*>(id),
                  const_cast<char*>("case.dyd"),    const_cast<char*>("log.txt"),
                  const_cast<char*>("changes.txt"), nullptr};
  int status = run_modeltest(7, argv, run);
  if (status != 0 && status != 1) std::abort();
  return 0;
}
