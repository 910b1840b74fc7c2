// Writing records: the converted-record layout and the value format.
#include "records/record_writer.h"

#include <cmath>
#include <cstring>

#include "text/format.h"

char* put_value(char* out, float value) {
  const double v = value;
  *out++ = ' ';
  if (v == 0.0) return put_literal(out, "0.");
  if (v == 1.0) return put_literal(out, "1.");
  if (v == -1.0) return put_literal(out, "-1.");
  if (std::fabs(v) < 10.0) return put_fixed(out, v, 8, 4);
  return put_fixed(out, v, 9, 3);
}

void write_converted_record(std::FILE* out, const RuleSet& rule, char* text, int colon_position,
                            const char* mva_text, const float* outputs, bool crlf) {
  // The comment line, the header, the tag and MVA text, then every value: one write.
  char line[kRecordSize + kMaxParameters * (kMaxFloatText + 1) + 256];
  const char* eol = crlf ? "\r\n" : "\n";
  char* p = line;
  *p++ = '#';
  *p++ = '[';
  p = put_text(p, rule.from_model, 0);
  p = put_literal(p, "] [");
  p = put_text(p, rule.to_model, 0);
  *p++ = ']';
  p = put_text(p, eol, 0);
  text[colon_position] = '\0';
  p = put_text(p, text, 0);
  p = put_literal(p, " #9 ");
  p = put_text(p, mva_text, 0);
  for (int i = 0; i < rule.output_count; ++i) p = put_value(p, outputs[i]);
  p = put_text(p, eol, 0);
  std::fwrite(line, 1, static_cast<std::size_t>(p - line), out);
}
