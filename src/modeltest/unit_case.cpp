// The test case of one unit: which records belong to it, and the OLD and NEW copies of
// a record under their headers.
#include "modeltest/unit_case.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "records/record_reader.h"

namespace {

// The two-unit governor of a "CC" case refers to the units "H " and "L " of the test bus.
constexpr const char* kOldTwoUnitHeader =
    "ieeeg1 1 \"OLD     \" 13.8 \"H \" 1 \"OLD     \" 13.8 \"L \" 1 :";
constexpr const char* kNewTwoUnitHeader =
    "ieeeg1 2 \"NEW     \" 13.8 \"H \" 2 \"NEW     \" 13.8 \"L \" 1 :";

// A whole number: an optional sign and digits, within an int.
bool parse_bus_argument(const char* text, int* bus) {
  const char* digits = (*text == '-' || *text == '+') ? text + 1 : text;
  if (*digits == '\0') return false;
  for (const char* p = digits; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
  }
  errno = 0;
  long long value = std::strtoll(text, nullptr, 10);
  if (errno != 0 || value < INT_MIN || value > INT_MAX) return false;
  *bus = static_cast<int>(value);
  return true;
}

}  // namespace

bool parse_unit_arguments(const char* bus, const char* id, Unit& unit) {
  if (!parse_bus_argument(bus, &unit.bus)) return false;
  // A one-character ID is that character and a blank, as the records write "1" for "1 ".
  unit.id[0] = id[0];
  unit.id[1] = id[0] == '\0' ? '\0' : id[1] == '\0' ? ' ' : id[1];
  unit.id[2] = '\0';
  unit.all_units = std::strcmp(unit.id, "CC") == 0;
  return true;
}

bool belongs_to_unit(const RecordHeader& h, const Unit& unit) {
  const bool same_id = h.unit_id[0] == unit.id[0] && h.unit_id[1] == unit.id[1];
  return h.bus_number == unit.bus && (same_id || unit.all_units);
}

void make_copy_headers(const RecordHeader& h, const Unit& unit, CopyHeaders& headers) {
  if (unit.all_units && std::strncmp(h.model, "ieeeg1", 6) == 0) {
    std::strcpy(headers.old_header, kOldTwoUnitHeader);
    std::strcpy(headers.new_header, kNewTwoUnitHeader);
  } else {
    // The whole model name: a longer one makes the header longer.
    std::snprintf(headers.old_header, sizeof headers.old_header,
                  "%-6s 1 \"OLD     \" 13.8 \"%-2s\" :", h.model, h.unit_id);
    std::snprintf(headers.new_header, sizeof headers.new_header,
                  "%-6s 2 \"NEW     \" 13.8 \"%-2s\" :", h.model, h.unit_id);
  }
  headers.length = static_cast<int>(std::strlen(headers.old_header));
}

void make_copy(const char* text, const char* header, int header_length, char* copy) {
  // The record's own colon; one among the first 15 characters is a typing error.
  const int colon = find_colon(text, kHeaderCheckLength);
  if (colon > 0 && colon - 1 <= header_length) {
    std::memcpy(copy, header, static_cast<std::size_t>(header_length));
    std::strcpy(copy + header_length, text + colon);
    return;
  }
  std::strcpy(copy, text);
  replace_header(copy, header, header_length);
}

void replace_header(char* text, const char* header, int header_length) {
  const int length = static_cast<int>(std::strlen(text));
  int content_end = length;
  if (content_end > 0 && text[content_end - 1] == '\n') {
    --content_end;
    if (content_end > 0 && text[content_end - 1] == '\r') --content_end;
  }
  if (content_end <= header_length) {
    char line_end[3];
    std::strcpy(line_end, text + content_end);
    std::memcpy(text, header, static_cast<std::size_t>(header_length));
    std::strcpy(text + header_length, line_end);
    return;
  }
  std::memcpy(text, header, static_cast<std::size_t>(header_length));
  text[header_length] = ' ';
  for (int i = header_length + 1; i < content_end && i <= 99; ++i) {
    if (text[i] == '#') break;
    const bool colon = text[i] == ':';
    text[i] = ' ';
    if (colon) break;
  }
}
