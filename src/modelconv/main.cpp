// modelconv: converts the records of a dynamic data file by the rule library.
#include "modelconv/modelconv.h"

int main(int argc, char** argv) {
  static ConversionRun run;  // fixed size, too large for the stack
  return run_modelconv(argc, argv, run);
}
