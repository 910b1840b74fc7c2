// modeltest: writes an OLD/NEW side-by-side test case for one unit of a dynamic data file.
#pragma once
#include <cstdio>

#include "cli/command_line.h"
#include "io/files.h"
#include "io/line_reader.h"
#include "io/output_file.h"
#include "modeltest/unit_case.h"
#include "records/record.h"

// Everything one run of modeltest holds, from the command line to the last file closed.
// main keeps the one instance; every step of the run gets it, or the part it needs.
struct TestCaseRun {
  Unit unit;  // of the command line, and what its records leave for the trailer
  int unit_records;  // the records of the unit found
  const char* case_name;
  const char* log_name;
  const char* changes_name;
  // The rule library, its working values and counts, the report and the input file.
  RunStart start;
  WholeLine line;  // rule files are read a whole line at a time
  LineInput input;
  DynamicRecord record;
  RecordHeader header;  // bus name and base kV carry over when a record lacks them
  // A copy's header may be longer than the record's own, so a copy may outgrow the record.
  char copy[kRecordSize + kCaseHeaderSize];
  // What the run writes, each through a buffer of its own.
  OutputFile case_file;
  std::FILE* log;
  std::FILE* changes;
  char out_buffer[kWriteBufferSize];
  char log_buffer[kWriteBufferSize];
  char changes_buffer[kWriteBufferSize];
};

// The whole program; returns the exit status.
int run_modeltest(int argc, char** argv, TestCaseRun& run);
