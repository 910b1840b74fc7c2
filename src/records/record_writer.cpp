// Writing records: the converted-record layout and the value format.
#include "records/record_writer.h"

#include <cmath>

void format_value(float value, char* out) {
  const double v = value;
  if (v == 0.0) {
    std::snprintf(out, kValueTextSize, " 0.");
  } else if (v == 1.0) {
    std::snprintf(out, kValueTextSize, " 1.");
  } else if (v == -1.0) {
    std::snprintf(out, kValueTextSize, " -1.");
  } else if (std::fabs(v) < 10.0) {
    std::snprintf(out, kValueTextSize, " %8.4f", v);
  } else {
    std::snprintf(out, kValueTextSize, " %9.3f", v);
  }
}

void write_converted_record(std::FILE* out, const RuleSet& rule, char* text, int colon_position,
                            const char* mva_text, const ParameterValues& values, bool crlf) {
  const char* eol = crlf ? "\r\n" : "\n";
  std::fprintf(out, "#[%s] [%s]%s", rule.from_model, rule.to_model, eol);
  text[colon_position] = '\0';
  std::fprintf(out, "%s #9", text);
  std::fprintf(out, " %s", mva_text);
  char value_text[kValueTextSize];
  for (int i = 0; i < rule.output_count; ++i) {
    format_value(values.values[i], value_text);
    std::fputs(value_text, out);
  }
  std::fputs(eol, out);
}
