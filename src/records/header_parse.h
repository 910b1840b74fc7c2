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

// The place of a record as the checker's reports tell it, from the header text of a
// converted record: its bus is `bus_number`, the one the reading loop took before the
// new model name was written (a short name over a compact header covers the bus, as in
// "sexs  " written over "sexs 6"); the bus name is the text between the first two
// double quotes, whole, cut to size - 1 characters; base kV and unit ID follow it as the
// unit-case parse reads them (kV 0 when not given, unit ID "--" without quotes).
void parse_record_place(const char* header_text, int bus_number, RecordHeader& header,
                        char* bus_name, int size);
