// The two ways a record header is split into model, bus, bus name, base kV and unit ID.
#include "records/header_parse.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "text/scan.h"
#include "text/tokenizer.h"

static void copy_cut(char* field, const char* text, std::size_t max) {
  std::size_t n = std::strlen(text);
  if (n > max) n = max;
  std::memcpy(field, text, n);
  field[n] = '\0';
}

namespace {

constexpr const char* kUnitDelimiters = " ,\t";

// The unit ID behind the double quote at `quote` (in the untokenized copy of the line):
// its two characters as they stand, a missing one "1", then " ", and a closing quote
// behind the first character a blank ("1" is the unit "1 "). No quote: "--".
void read_unit_id(const char* quote, RecordHeader& h) {
  if (!quote) {
    std::strcpy(h.unit_id, "--");
    return;
  }
  const char first = quote[1];
  const char second = first == '\0' ? '\0' : quote[2] == '"' ? ' ' : quote[2];
  h.unit_id[0] = first != '\0' ? first : '1';
  h.unit_id[1] = second != '\0' ? second : ' ';
  h.unit_id[2] = '\0';
}

// Hand-written headers give "!" for a bus name or kV they leave out
// (`genrou 1 ! ! "1 " : ...`). The name is not given; then "!" leaves out the kV too, a
// token that begins with a double quote is the unit ID's own, and any other is the kV.
// `t` stands behind the name's "!"; `copy` is the tokenized copy, `original` the same
// characters untouched.
void parse_after_placeholder(Tokenizer& t, char* copy, const char* original, RecordHeader& h) {
  const char* kv = next_token(t, kUnitDelimiters);
  const char* quote = nullptr;
  if (kv && kv[0] == '"') {
    quote = kv;
  } else if (kv) {
    if (std::strcmp(kv, "!") != 0) scan_float(kv, &h.base_kv);
    quote = std::strchr(t.next, '"');
  }
  read_unit_id(quote ? original + (quote - copy) : nullptr, h);
}

}  // namespace

int parse_unit_header(const char* text, RecordHeader& h) {
  if (!is_letter(text[0])) {
    std::strcpy(h.model, "nomod");
    h.bus_number = 0;
    std::strcpy(h.bus_name, "        ");
    h.base_kv = 0.0f;
    std::strcpy(h.unit_id, "1 ");
    return -1;
  }
  char original[61];
  std::strncpy(original, text, 60);
  original[60] = '\0';
  char copy[61];
  std::memcpy(copy, original, sizeof copy);
  Tokenizer t;
  tokenizer_start(t, copy);
  std::strcpy(h.model, next_token(t, kUnitDelimiters));  // the line begins with a letter
  const char* bus = next_token(t, kUnitDelimiters);
  if (!bus) {
    std::strcpy(h.unit_id, "--");
    return 0;
  }
  scan_int(bus, &h.bus_number);
  const char* name = t.next + std::strspn(t.next, kUnitDelimiters);
  if (name[0] == '!' && (name[1] == '\0' || std::strchr(kUnitDelimiters, name[1]))) {
    next_token(t, kUnitDelimiters);  // the "!"
    parse_after_placeholder(t, copy, original, h);
    return 0;
  }

  // The name lies between the next two quotes behind the bus number.
  char* open = std::strchr(t.next, '"');
  if (!open) {
    std::strcpy(h.unit_id, "--");
    return 0;
  }
  char* close = std::strchr(open + 1, '"');
  std::size_t name_length =
      close ? static_cast<std::size_t>(close - open - 1) : std::strlen(open + 1);
  if (name_length > 8) name_length = 8;
  std::memcpy(h.bus_name, open + 1, name_length);
  h.bus_name[name_length] = '\0';
  if (!close) {
    std::strcpy(h.unit_id, "--");
    return 0;
  }

  Tokenizer rest;
  tokenizer_start(rest, close + 1);
  const char* kv = next_token(rest, kUnitDelimiters);
  if (kv) scan_float(kv, &h.base_kv);
  read_unit_id(kv ? std::strchr(rest.next, '"') : nullptr, h);
  return 0;
}

void parse_conversion_header(const char* header_text, RecordHeader& h, BusNameForm form) {
  h.model[0] = '\0';
  h.bus_number = 0;
  h.bus_name[0] = '\0';
  h.base_kv = 0.0f;
  std::strcpy(h.unit_id, "  ");

  char copy[kMaxHeaderLength + 1];
  copy_cut(copy, header_text, kMaxHeaderLength);
  const std::size_t copy_length = std::strlen(copy);
  const char* delimiters = " ,:\"\t";
  Tokenizer t;
  tokenizer_start(t, copy);
  const char* token = next_token(t, " ,:\t");
  if (token) copy_cut(h.model, token, 6);
  token = next_token(t, delimiters);
  if (token) scan_int(token, &h.bus_number);

  if (form == BusNameForm::token) {
    token = next_token(t, delimiters);
    if (token) copy_cut(h.bus_name, token, 13);
  } else if (const char* quote = std::strchr(header_text, '"')) {
    const auto at = static_cast<std::size_t>(quote - header_text) + 1;
    if (at <= copy_length) {
      tokenizer_start(t, copy + at);
      token = next_token(t, "\",:\t");
      if (token) copy_cut(h.bus_name, token, 8);
    }
  }

  token = next_token(t, delimiters);
  if (token) scan_float(token, &h.base_kv);
  token = next_token(t, delimiters);
  if (token) {
    h.unit_id[0] = token[0];
    if (token[1] != '\0') h.unit_id[1] = token[1];
  }
}

namespace {

// The header's characters from `at` on, one field at a time: a quoted field whole, any
// other up to a delimiter; a colon outside quotes ends the header.
struct Fields {
  const char* text;
  int length;
  int at = 0;
  bool is(const char* set) const { return at < length && std::strchr(set, text[at]) != nullptr; }
  void skip() {
    while (is(" ,\t")) ++at;
  }
  bool ended() const { return at >= length || text[at] == ':' || text[at] == '\0'; }
  // The next field into `out` (room `size`); `quoted` tells whether it stood in quotes.
  bool next(char* out, std::size_t size, bool* quoted) {
    skip();
    *quoted = false;
    out[0] = '\0';
    if (ended()) return false;
    std::size_t n = 0;
    const auto keep = [&](char c) {
      if (n + 1 < size) out[n++] = c;
    };
    if (text[at] == '"') {
      *quoted = true;
      ++at;
      while (at < length && text[at] != '"' && text[at] != '\0') keep(text[at++]);
      if (at < length && text[at] == '"') ++at;
    } else {
      while (at < length && !is(" ,\t:\"") && text[at] != '\0') keep(text[at++]);
    }
    out[n] = '\0';
    return true;
  }
  // The next field begins with a quote (and so is not the one before it).
  bool quote_next() {
    skip();
    return !ended() && text[at] == '"';
  }
};

}  // namespace

void parse_record_place(const char* text, int length, RecordPlace& place) {
  place = RecordPlace{};
  std::strcpy(place.unit_id, "  ");
  Fields f{text, length};
  char field[kMaxHeaderLength + 1];
  bool quoted = false;
  if (!f.next(field, sizeof field, &quoted)) return;  // the model
  if (f.next(field, sizeof field, &quoted)) scan_int(field, &place.bus_number);
  if (!f.next(field, kPlaceNameSize, &quoted)) return;
  std::strcpy(place.bus_name, field);
  // A quote right behind the name is the unit ID's: the kV is left out.
  if (!f.quote_next() && f.next(field, kPlaceKvSize, &quoted)) {
    std::strcpy(place.kv_text, field);
    scan_float(field, &place.base_kv);
  }
  if (!f.next(field, sizeof field, &quoted) || field[0] == '\0') return;
  place.unit_id[0] = field[0];
  place.unit_id[1] = field[1] != '\0' ? field[1] : ' ';
}
