// modelconv: converts every selected record of a dynamic data file by the rule library.
#pragma once
#include <cstdio>

#include "cli/command_line.h"
#include "convert/bus_selection.h"
#include "convert/reading_loop.h"
#include "io/files.h"
#include "io/line_reader.h"
#include "io/output_file.h"

// Everything one run of modelconv holds, from the command line to the last file closed.
// main keeps the one instance; every step of the run gets it, or the part it needs.
struct ConversionRun {
  // The command line.
  const char* input;
  const char* selection_argument;  // "all", or the bus selection file "include" or "exclude"
  const char* output_name;
  const char* log_name;
  const char* changes_name;
  // The rule library, its working values and counts, the report and the input file.
  RunStart start;
  WholeLine line;  // rule files and the bus list are read a whole line at a time
  BusSelection selection;
  LoopBuffers loop;
  // What the run writes, each through a buffer of its own.
  OutputFile out;
  LoopOutputs outputs;
  char out_buffer[kWriteBufferSize];
  char log_buffer[kWriteBufferSize];
  char changes_buffer[kWriteBufferSize];
};

// The whole program; returns the exit status.
int run_modelconv(int argc, char** argv, ConversionRun& run);
