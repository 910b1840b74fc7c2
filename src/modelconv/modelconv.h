// modelconv: converts every selected record of a dynamic data file by the rule library.
#pragma once

// The whole program; returns the exit status.
int run_modelconv(int argc, char** argv);
