// rulecheck: checks the rule library of the working folder and previews a conversion.
#include "rulecheck/rulecheck.h"

int main(int argc, char** argv) {
  static CheckRun run;  // fixed size, too large for the stack
  return run_rulecheck(argc, argv, run);
}
