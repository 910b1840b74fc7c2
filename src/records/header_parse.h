// The two ways a record header is split into model, bus, bus name, base kV and unit ID.
#pragma once
#include "records/record.h"

// The unit-case builder's parse of a whole record line. A line that does not begin
// with a letter gives model "nomod", bus 0, a blank name, kV 0 and ID "1 ", and -1.
// Otherwise 0; a field the line does not give keeps its value, except the unit ID,
// which reads "--" when its opening quote is missing.
int parse_unit_header(const char* text, RecordHeader& header);

// Where the conversion's header parse takes the bus name from.
enum class BusNameForm {
  token,   // the next token, cut to 13 characters (a blank ends it)
  quoted,  // the text after the first double quote, cut to 8 (blanks kept)
};

// The conversion's parse of the header text (the record up to its colon). Fields the
// header does not give read as empty, 0 and "  ".
void parse_conversion_header(const char* header_text, RecordHeader& header, BusNameForm form);

// Where a record stands, as its header's fields give it: the record's own text of each,
// read once by the conversion before the new model name is written over the header.
// The bus name is the quoted name whole (or, where the header gives a placeholder such
// as "!" or an unquoted name, that token), the kV the record's text and its number, the
// unit ID the two characters inside its quotes ("1" is the unit "1 ").
constexpr int kPlaceNameSize = 32;
constexpr int kPlaceKvSize = 16;
struct RecordPlace {
  int bus_number;                // 0 where the header gives none
  char bus_name[kPlaceNameSize];  // cut to 31 characters
  char kv_text[kPlaceKvSize];     // as written, cut to 15 characters; "" where not given
  float base_kv;                  // its number; 0 where it holds none
  char unit_id[3];                // "  " where not given
};
// Reads the header text, its first `length` characters (up to and with its colon).
void parse_record_place(const char* text, int length, RecordPlace& place);
