// The unit-case builder: a side-by-side OLD/NEW test case for one generating unit.
#pragma once

// The whole program; returns the exit status.
int run_modeltest(int argc, char** argv);

// Writes `header` over the start of the record line, blanks the old header behind it
// up to its colon (blanked too), a "#" (kept) or index 99, and never touches the line
// end. A line whose text is no longer than the header becomes the header and its line
// end.
void replace_header(char* text, const char* header, int header_length);
