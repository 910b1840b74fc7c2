// The log and changes files of a conversion: created with their column header line,
// or standard output in their place.
#pragma once
#include <cstdio>

// The log and changes files begin with this column header line.
constexpr const char* kLogHeaderLine =
    "Model,   Bus,       Name,     Bkv,     ID,          Param,              Suspect,  "
    "Replaced, c,   Check                                           Replace\n";

// Creates a log or changes file (writing through `buffer`, see open_for_writing) and
// writes its column header line; when it cannot be created, writes the failure message
// to the console and uses standard output instead.
std::FILE* open_log_stream(const char* name, const char* failure_message, char* buffer = nullptr);
