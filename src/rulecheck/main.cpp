// rulecheck: checks the rule library of the working folder and previews a conversion.
#include "rulecheck/rulecheck.h"

int main(int argc, char** argv) { return run_rulecheck(argc, argv); }
