// The test case of one unit: which records belong to it, and the OLD and NEW copies of
// a record under their headers.
#pragma once
#include "records/record.h"

// The unit of the command line, and what its records leave for the trailer.
struct Unit {
  int bus;
  char id[3];      // "1" reads "1 "; an empty argument stays empty and matches nothing
  bool all_units;  // "CC": every unit at the bus
  char kept_bus_name[16];
  float kept_base_kv;
};

// Reads the bus number (a whole number within an int) and the unit ID arguments.
// False when the bus number is not one.
bool parse_unit_arguments(const char* bus, const char* id, Unit& unit);

// The record (its header parsed) belongs to the unit: its bus, and its ID or "CC".
bool belongs_to_unit(const RecordHeader& header, const Unit& unit);

// Room for a test-case header: a model name of up to 60 characters and the rest.
constexpr int kCaseHeaderSize = 128;

// The OLD and NEW headers of a record of the unit, of one length.
struct CopyHeaders {
  char old_header[kCaseHeaderSize];
  char new_header[kCaseHeaderSize];
  int length;
};
void make_copy_headers(const RecordHeader& header, const Unit& unit, CopyHeaders& headers);

// Makes a copy of the record line under `header` (its length header_length) in `copy`,
// which has room for the record and kCaseHeaderSize more characters. When the record's own
// colon (its first at index 15 or later) lies no further in than the header's length,
// the copy is the header followed by everything after that colon; otherwise the header
// is written over the line by replace_header.
void make_copy(const char* text, const char* header, int header_length, char* copy);

// Writes `header` over the start of the record line, blanks the old header behind it
// up to its colon (blanked too), a "#" (kept) or index 99, and never touches the line
// end. A line whose text is no longer than the header becomes the header and its line
// end.
void replace_header(char* text, const char* header, int header_length);
