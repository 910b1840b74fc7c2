// Reading record lines: continuation joining, rule matching, colon checks and the
// parse of the parameter part.
#include "records/record_reader.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "io/console.h"
#include "io/line_reader.h"
#include "text/format.h"
#include "text/scan.h"
#include "text/tokenizer.h"

void raw_start(RawLines& raw, const char* piece, int length) {
  std::memcpy(raw.bytes, piece, static_cast<std::size_t>(length));
  raw.length = static_cast<std::size_t>(length);
}

static bool raw_append(RawLines& raw, const char* piece, int length) {
  const auto n = static_cast<std::size_t>(length);
  if (raw.length + n > RawLines::kCapacity) return false;
  std::memcpy(raw.bytes + raw.length, piece, n);
  raw.length += n;
  return true;
}

void split_line_start(const char* text, LineStart& start) {
  std::strncpy(start.copy, text, 60);
  start.copy[60] = '\0';
  Tokenizer t;
  tokenizer_start(t, start.copy);
  start.first = next_token(t, " ,\t");
  start.second = start.first ? next_token(t, " ,\t") : nullptr;
}

int match_rule_set(const RuleTable& table, const char* model) {
  if (!model) return -1;
  for (int i = 0; i < table.rule_count; ++i) {
    if (std::strcmp(table.rule_sets[i].from_model, model) == 0) return i;
  }
  return -1;
}

JoinResult join_continuations(LineInput& in, char* text, RawLines* raw) {
  char piece[kPieceSize];
  for (;;) {
    char* slash = std::strchr(text, '/');
    if (!slash) return JoinResult::joined;
    *slash = ' ';
    const int n = read_piece(in, piece, kPieceSize);
    if (n == 0) return JoinResult::joined;  // end of file: the rest of the line stays
    if (raw && !raw_append(*raw, piece, n)) return JoinResult::too_long;
    const int at = static_cast<int>(slash - text) + 1;
    if (at + n + 1 > kRecordSize) return JoinResult::too_long;
    std::memcpy(text + at, piece, static_cast<std::size_t>(n));
    text[at + n] = '\0';
  }
}

void check_header_colons(char* text) {
  for (int i = 0; i < kHeaderCheckLength && text[i] != '\0'; ++i) {
    if (text[i] == ':') {
      console_printf("Error - incorrect colon in < %-64.64s... >\n", text);
      text[i] = ' ';
    }
  }
}

int find_colon(const char* text, int from) {
  for (int i = 0; i < kColonSearch && text[i] != '\0'; ++i) {
    if (text[i] == ':' && i >= from) return i + 1;
  }
  return -1;
}

namespace {

// The parameter part splits at commas, blanks, "=" and tabs, as a tokenizer over
// ", =\t" splits it: each token ends in place, over the delimiter behind it.
enum class CharClass : unsigned char { other, delimiter, end };
constexpr auto kClass = [] {
  struct Table {
    CharClass of[256];
  } t{};
  for (const char c : {' ', ',', '=', '\t'})
    t.of[static_cast<unsigned char>(c)] = CharClass::delimiter;
  t.of[0] = CharClass::end;
  return t;
}();
inline CharClass class_of(char c) { return kClass.of[static_cast<unsigned char>(c)]; }

char* next_parameter(char*& p) {
  while (class_of(*p) == CharClass::delimiter) ++p;
  if (*p == '\0') return nullptr;
  char* token = p;
  while (class_of(*p) == CharClass::other) ++p;
  if (*p != '\0') *p++ = '\0';
  return token;
}

bool only_line_ends(const char* token) {
  for (; *token; ++token) {
    if (*token != '\r' && *token != '\n') return false;
  }
  return true;
}

// "mva" or "mwcap" followed by its number, which may be missing (0): "mva=%-8.3f".
void take_mva(char*& p, const char* keyword, char* mva_text) {
  float value = 0.0f;
  if (const char* number = next_parameter(p)) scan_float(number, &value);
  char* end = put_text(mva_text, keyword, 0);
  end = put_fixed(end, value, 8, 3, true);
  *end = '\0';
}

}  // namespace

void parse_parameters(char* text, int colon_position, ParsedRecord& parsed) {
  parsed.colon_position = colon_position;
  char* mva_text = parsed.mva_text;
  ParameterValues& values = parsed.values;
  mva_text[0] = '\0';
  char* params = text + colon_position;

  // A quoted text stays one token: its blanks become "_". A quote without a partner
  // changes the blanks up to the end of the text.
  for (char* open = std::strchr(params, '"'); open; open = std::strchr(open + 1, '"')) {
    char* close = open + 1;
    for (; *close != '\0' && *close != '"'; ++close) {
      if (*close == ' ') *close = '_';
    }
    if (*close == '\0') break;
    open = close;
  }

  char* p = params;
  char* token = next_parameter(p);
  if (token && token[0] == '#') token = next_parameter(p);  // the tag
  if (token && std::strncmp(token, "mva", 3) == 0) {
    take_mva(p, "mva=", mva_text);
    token = next_parameter(p);
  }
  if (token && std::strncmp(token, "mwcap", 5) == 0) {
    take_mva(p, "mwcap=", mva_text);
    token = next_parameter(p);
  }

  for (float& v : values.values) v = 0.0f;
  int given = 0;
  const char* last = nullptr;
  for (int k = 0; k < kValueCount; ++k) {
    if (k > 0) token = next_parameter(p);
    const char* keyword = nullptr;
    if (token && token[0] == '"') {  // a quoted keyword: the value is the token after it
      keyword = token;
      token = next_parameter(p);
    }
    if (!token) break;
    scan_float(token, &values.values[k]);
    parsed.keywords[k] = keyword;
    last = token;
    given = k + 1;
  }
  // The line end of the record, alone behind a blank, is a token but gives no value.
  if (last && only_line_ends(last) && (given < kValueCount || !next_parameter(p))) --given;
  parsed.values_given = given;
}

bool ends_with_crlf(const char* text) {
  const std::size_t n = std::strlen(text);
  return n >= 2 && text[n - 2] == '\r' && text[n - 1] == '\n';
}

void report_unconverted(const char* reason_format, int limit, const char* text) {
  char reason[128];
  std::snprintf(reason, sizeof reason, reason_format, limit);
  console_printf("Error - %s < %-64.64s... >\n", reason, text);
}
