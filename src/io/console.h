// The console: where every message of a run goes, or nowhere while a preview runs.
#pragma once
#include <cstdio>

// Standard error by default; nullptr drops the messages (a preview that must stay quiet).
extern std::FILE* console;

// Standard input, output and error pass every byte as it is: on Windows they would
// otherwise write a line end as CR LF. Called first thing by each program.
void use_binary_console();

// printf to the console. Returns what fprintf returns, or, while messages are dropped,
// the number of characters that would have been written.
int console_printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
