// rulecheck: finds the mistakes of a rule library, and previews a conversion, without
// writing any file.
#pragma once

// The whole program; returns the exit status.
int run_rulecheck(int argc, char** argv);
