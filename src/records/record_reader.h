// Reading record lines: continuation joining, rule matching, colon checks and the
// parse of the parameter part.
#pragma once
#include <cstddef>
#include <cstdio>

#include "io/line_reader.h"
#include "records/record.h"
#include "rules/rule_table.h"

// The original bytes of every piece a record was read from, so that a record that
// cannot be converted is still written exactly as it came.
struct RawLines {
  static constexpr std::size_t kCapacity = 2001u * (kPieceSize - 1);
  char bytes[kCapacity];
  std::size_t length;
};
void raw_start(RawLines& raw, const char* piece, int length);

// The first two tokens (blank, comma, tab) of a line's first 60 characters.
struct LineStart {
  char copy[61];
  const char* first;  // nullptr when the line has no token
  const char* second;
};
void split_line_start(const char* text, LineStart& start);

// The index of the first RuleSet whose from-model equals `model` (nullptr: none); -1
// when none matches.
int match_rule_set(const RuleTable& table, const char* model);

enum class JoinResult { joined, too_long };
// While the text holds a "/", the first one becomes a blank and the next line of the
// file is read in behind it. Fails when the joined record would not fit the buffer.
// A "/" met at end of file becomes a blank and the joining ends.
JoinResult join_continuations(LineInput& in, char* text, RawLines* raw);

// Reports and blanks every colon among the first 15 characters.
void check_header_colons(char* text);

// Index just past the first colon at index `from` or later in the first 1900
// characters, or -1.
int find_colon(const char* text, int from = 0);

// Parses the parameter part (after the colon at colon_position) into the MVA text and
// the values; edits the text behind the colon in place.
void parse_parameters(char* text, int colon_position, ParsedRecord& parsed);

// True when the text ends with CR LF.
bool ends_with_crlf(const char* text);

// The console message for a record that is left as it was read:
// "Error - <reason> < <first 64 characters of the text>... >", the reason formatted
// from `reason_format` and the limit the record exceeds.
void report_unconverted(const char* reason_format, int limit, const char* text);
