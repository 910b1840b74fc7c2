// The unit-case builder: a side-by-side OLD/NEW test case for one generating unit.
#pragma once

// The whole program; returns the exit status.
int run_modeltest(int argc, char** argv);

// Room for a test-case header: a model name of up to 60 characters and the rest.
constexpr int kCaseHeaderSize = 128;

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
