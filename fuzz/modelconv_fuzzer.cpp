// Fuzz target: the whole batch converter on an arbitrary data file and bus list.
// The input up to the first NUL byte is the bus selection file; the rest is the data.
#include <cstdint>
#include <cstring>

#include "fuzz_support.h"
#include "modelconv/modelconv.h"
#include "rules/rule_table.h"

namespace {
ConversionRun run;  // one run after another: the table is emptied before each
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::enter_work_folder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const void* nul = std::memchr(data, '\0', size);
  size_t list = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - data) : 0;
  size_t start = nul ? list + 1 : 0;
  fuzz_support::write_file("include", data, list);
  fuzz_support::write_file("data.dyd", data + start, size - start);
  reset_rule_table(run.start.library.table);
  char* argv[] = {const_cast<char*>("modelconv"),
                  const_cast<char*>("data.dyd"),
                  const_cast<char*>(size > 0 && (data[0] & 1) ? "include" : "exclude"),
                  const_cast<char*>("out.dyd"),
                  const_cast<char*>("log.txt"),
                  const_cast<char*>("changes.txt"),
                  nullptr};
  fuzz_support::write_file("exclude", data, list);
  int status = run_modelconv(6, argv, run);
  if (status != 0 && status != 1) std::abort();
  return 0;
}
