// The batch converter: converts every selected record of a dynamic data file.
#pragma once

// The whole program; returns the exit status.
int run_modelconv(int argc, char** argv);
