// A record of the dynamic data file: its text, parsed header and parameter values.
#pragma once

constexpr int kRecordSize = 2000;  // the joined record, NUL included
constexpr int kPieceSize = 1998;   // one read: at most 1997 characters
constexpr int kValueCount = 200;
constexpr int kColonSearch = 1900;      // the colon is looked for in this many characters
constexpr int kHeaderCheckLength = 15;  // colons here are typing errors
constexpr int kMaxHeaderLength = 299;   // room for the header up to its colon
constexpr int kMvaTextSize = 64;        // "mwcap=" and the widest float with 3 decimals

struct ParameterValues {
  float values[kValueCount];
};

struct RecordHeader {
  char model[64];  // unit-case parse: the whole first token; conversion parse: 6
  int bus_number;
  char bus_name[16];  // at most 8 (unit case) or 13 (conversion) characters
  float base_kv;
  char unit_id[3];  // always two characters, never NUL
};

// The parameter part of a record, as the parse leaves it.
struct ParsedRecord {
  int colon_position;  // index just past the colon
  char mva_text[kMvaTextSize];
  ParameterValues values;
  // The values the record gives: the entries filled from tokens, not counting a last
  // token made only of line ends (CR, LF). A token without a number still counts.
  int values_given;
  // The quoted keyword written before value k ("tpdo" in `"tpdo" 6.5`), or nullptr;
  // for k below values_given. They point into the parsed text.
  const char* keywords[kValueCount];
};

struct DynamicRecord {
  char text[kRecordSize];  // the line read, then the record with its continuations joined
  ParsedRecord parsed;
};
