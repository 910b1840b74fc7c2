// The CSV files of --responses in their folder: summary.csv, a row per compared output of
// every converted record, and per record its responses over time (or its gain and phase)
// in L<line>-<output>.csv. Every file is written aside and moved into place when it is
// whole, as a converted data file is.
#pragma once
#include <cstdio>

#include "dynamics/comparison/comparison.h"
#include "io/files.h"
#include "io/output_file.h"
#include "records/header_parse.h"
#include "rules/rule_table.h"

// Where a record stands, as the rows of the files and the findings tell it: its line,
// the bus the reading loop read, and the place the conversion read from its header.
struct RowPlace {
  int line;
  int bus;
  RecordPlace place;
};

// True for a name the response files take in their folder: "summary.csv", "fit.csv" or
// "L<line>-<output>.csv".
bool is_response_file_name(const char* base);

// The longest name a file of the folder gets, its temporary name while it is written
// included; a folder whose files would not fit kMaxPathLength cannot take them.
bool response_folder_fits(const char* folder);

struct ResponseFiles {
  const char* folder;  // nullptr: no files
  OutputFile summary;
  char summary_name[kPathSize];
  char summary_buffer[kWriteBufferSize];
  OutputFile fit;  // fit.csv, with --fit
  char fit_name[kPathSize];
  char fit_buffer[kWriteBufferSize];
  bool fit_open;
  OutputFile record;  // the record's file in hand
  char record_name[kPathSize];
  char record_buffer[kWriteBufferSize];
  bool failed;  // a file could not be opened or written whole
};

// Creates the folder where it is missing and opens the summary with its header line.
// False when the folder cannot take files.
bool open_response_files(ResponseFiles& files, const char* folder);

// With --fit: opens fit.csv beside the summary, with its header line.
bool open_fit_file(ResponseFiles& files);
// A fitted record's row of fit.csv: its worst output after the fit, that output's
// deviation before and after, the solver's iterations and comparisons, and the values
// "name=before>after" joined by ";".
void write_fit_row(ResponseFiles& files, const RowPlace& at, const RuleSet& rule,
                   const char* output, double before, double after, int iterations, int simulations,
                   const char* values);

// The summary's rows of a record: one per compared output, or one for a record not
// compared (`reason` then says why, `test` may be nullptr). `notes` follow the reason.
void write_summary_rows(ResponseFiles& files, const RowPlace& at, const RuleSet& rule,
                        const Comparison& c);
void write_summary_row(ResponseFiles& files, const RowPlace& at, const RuleSet& rule,
                       const char* test, const char* outcome, const char* reason);

// The record's own files: each compared output of a time-domain test every 1/120 s
// (with `rule_values`, NEW as the rule converted it, and the fitted NEW of `t` after it:
// "t,old,new,fitted")
// ("t,old,new"), or a stabilizer's gain and phase at every frequency.
void write_record_files(ResponseFiles& files, int line, const Comparison& c, const Trajectories& t,
                        const double (*rule_values)[kMaxSamples] = nullptr);

// Removes the summary and fit.csv being written, for a run that stops before its end:
// no file of the folder is left half-written or under its temporary name.
void discard_response_files(ResponseFiles& files);

// Closes the summary and moves it into place. False when a file could not be written
// whole (none that could not is left under its name).
bool close_response_files(ResponseFiles& files);
