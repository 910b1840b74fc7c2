// Writing records: the converted-record layout and the value format.
#pragma once
#include <cstdio>

#include "records/record.h"
#include "rules/rule_table.h"

constexpr int kValueTextSize = 64;

// " 0.", " 1.", " -1.", " %8.4f" below 10 in magnitude, " %9.3f" otherwise: written at
// `out`, returning the end of the text (at most kValueTextSize characters, with room
// behind it as put_fixed needs).
char* put_value(char* out, float value);

// The comment line naming the rule, then the record cut at its colon, " #9", the MVA
// text and the rule's output values, as one line. The text is cut in place. Both lines
// end with CR LF when `crlf` is set (the record came from a file edited on Windows).
void write_converted_record(std::FILE* out, const RuleSet& rule, char* text, int colon_position,
                            const char* mva_text, const float* outputs, bool crlf);
