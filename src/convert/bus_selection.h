// Which buses the batch converter converts: all, those of an include list, or all but
// those of an exclude list.
#pragma once
#include <cstdio>

#include "io/line_reader.h"

constexpr int kMaxBusNumbers = 30000;

// How records are selected by their bus; `none` until a selection argument is taken.
enum class SelectionBasis { none, all, include, exclude };
// "all", "include", "exclude", or "" for none: how messages write the basis.
const char* basis_name(SelectionBasis basis);

struct BusSelection {
  SelectionBasis basis;
  int bus_list[kMaxBusNumbers];  // in the order of the file
  int sorted[kMaxBusNumbers];    // the same numbers, sorted for the selection test
  int bus_count;
  std::FILE* file;  // the bus selection file while it is open
};

// True when the argument names a bus selection file: it begins with "include" or "exclude".
bool names_selection_file(const char* argument);

enum class SelectionArgument { all, file_opened, refused };

// Classifies the selection argument: a word beginning with "all"; "include" or
// "exclude" (or a longer name beginning with one of them), whose file is opened and
// selects by its first seven letters; anything else, or a file that cannot be opened,
// is refused.
SelectionArgument classify_selection(const char* argument, BusSelection& selection);

// Reads the bus list from the open file, each line whole into `line`, echoing each
// entry to the console. False, with a message, when the file holds more than
// kMaxBusNumbers entries.
bool read_bus_list(BusSelection& selection, const char* file_name, WholeLine& line);

bool bus_selected(const BusSelection& selection, int bus_number);
