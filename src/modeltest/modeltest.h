// modeltest: writes an OLD/NEW side-by-side test case for one unit of a dynamic data file.
#pragma once

// The whole program; returns the exit status.
int run_modeltest(int argc, char** argv);
