// modeltest: writes an OLD/NEW side-by-side test case for one unit of a dynamic data file.
#include "modeltest/modeltest.h"

int main(int argc, char** argv) {
  static TestCaseRun run;  // fixed size, too large for the stack
  return run_modeltest(argc, argv, run);
}
