// The console: the one path every message of every program takes to standard error,
// switched off for a quiet run or sent to another stream to be captured.
#pragma once
#include <cstddef>
#include <cstdio>

// Standard input, output and error pass every byte as it is: on Windows they would
// otherwise write a line end as CR LF. Called first thing by each program.
void use_binary_console();

// Sends every later message to `sink` (nullptr drops them) and returns where they went
// before. Standard error at program start.
std::FILE* set_console(std::FILE* sink);

// Messages go elsewhere for as long as the switch lives.
struct ConsoleSwitch {
  std::FILE* previous;
  explicit ConsoleSwitch(std::FILE* sink) : previous(set_console(sink)) {}
  ~ConsoleSwitch() { set_console(previous); }
  ConsoleSwitch(const ConsoleSwitch&) = delete;
  ConsoleSwitch& operator=(const ConsoleSwitch&) = delete;
};

// printf to the console. Returns what fprintf returns, or, while messages are dropped,
// the number of characters that would have been written (the expression errors yield it).
int console_printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Writes `length` bytes as they are.
void console_write(const char* bytes, std::size_t length);
// The console's buffered bytes are written now.
void console_flush();
// True while messages are dropped: a caller may then skip the work of making one.
bool console_is_off();
