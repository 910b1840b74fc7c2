// Which buses the batch converter converts: all, those of an include list, or all but
// those of an exclude list.
#include "convert/bus_selection.h"

#include <algorithm>
#include <cstring>

#include "io/console.h"
#include "io/files.h"
#include "io/line_reader.h"
#include "text/format.h"
#include "text/scan.h"
#include "text/tokenizer.h"

const char* basis_name(SelectionBasis basis) {
  switch (basis) {
    case SelectionBasis::all:
      return "all";
    case SelectionBasis::include:
      return "include";
    case SelectionBasis::exclude:
      return "exclude";
    case SelectionBasis::none:
      break;
  }
  return "";
}

bool names_selection_file(const char* argument) {
  return std::strncmp(argument, "include", 7) == 0 || std::strncmp(argument, "exclude", 7) == 0;
}

SelectionArgument classify_selection(const char* argument, BusSelection& s) {
  s.basis = SelectionBasis::none;
  s.bus_count = 0;
  s.file = nullptr;
  if (std::strncmp(argument, "all", 3) == 0) {
    s.basis = SelectionBasis::all;
    return SelectionArgument::all;
  }
  if (names_selection_file(argument)) {
    s.file = open_for_reading(argument);
    if (!s.file) return SelectionArgument::refused;
    s.basis = argument[0] == 'i' ? SelectionBasis::include : SelectionBasis::exclude;
    return SelectionArgument::file_opened;
  }
  return SelectionArgument::refused;
}

bool read_bus_list(BusSelection& s, const char* file_name, WholeLine& whole) {
  char* line = whole.text;  // lines are read whole: a long comment is one line
  constexpr int kLineSize = kWholeLineSize;
  // The echo lines go out in blocks: standard error writes each call at once.
  char echo_lines[1 << 14];
  int echoed = 0;
  auto flush_echo = [&] {
    console_write(echo_lines, static_cast<std::size_t>(echoed));
    echoed = 0;
  };
  while (read_whole_line(s.file, line, kLineSize)) {
    // The line after a comment is data whatever it holds. A comment at the end of the
    // file is data itself, and holds no number.
    if (line[0] == '#' && !read_whole_line(s.file, line, kLineSize)) std::strcpy(line, "#");
    if (s.bus_count == kMaxBusNumbers) {
      flush_echo();
      console_printf("Bus selection file [%s] holds more than %d bus numbers\n", file_name,
                     kMaxBusNumbers);
      return false;
    }
    int bus = 0;
    Tokenizer t;
    tokenizer_start(t, line);
    if (const char* token = next_token(t, " ,\"\t")) scan_int(token, &bus);
    s.bus_list[s.bus_count++] = bus;
    if (!console_is_off()) {  // "[%s]  [%8d]\n"
      if (echoed > static_cast<int>(sizeof echo_lines) - 128) flush_echo();
      char* p = echo_lines + echoed;
      *p++ = '[';
      p = put_text(p, basis_name(s.basis), 0);
      p = put_literal(p, "]  [");
      p = put_int(p, bus, 8);
      *p++ = ']';
      *p++ = '\n';
      echoed = static_cast<int>(p - echo_lines);
    }
  }
  flush_echo();
  std::copy(s.bus_list, s.bus_list + s.bus_count, s.sorted);
  std::sort(s.sorted, s.sorted + s.bus_count);
  return true;
}

bool bus_selected(const BusSelection& s, int bus_number) {
  switch (s.basis) {
    case SelectionBasis::all:
      return true;
    case SelectionBasis::include:
      return std::binary_search(s.sorted, s.sorted + s.bus_count, bus_number);
    case SelectionBasis::exclude:
      return !std::binary_search(s.sorted, s.sorted + s.bus_count, bus_number);
    case SelectionBasis::none:
      break;
  }
  return false;
}
