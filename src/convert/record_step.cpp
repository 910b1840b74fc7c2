// The one step every record to be converted takes, in every program: the header's
// colons checked, its colon found, its parameters parsed into the rule's inputs, the
// record converted and written.
#include "convert/record_step.h"

#include "io/console.h"
#include "records/record_reader.h"
#include "records/record_writer.h"

StepResult convert_record_text(const ActiveRule& rule, char* text, int line, ParsedRecord& parsed,
                               const StepOutputs& outputs) {
  StepResult result{};
  const bool crlf = ends_with_crlf(text);
  check_header_colons(text);
  const int colon = find_colon(text);
  if (colon < 0) {
    result.outcome = StepOutcome::no_colon;
    return result;
  }
  if (colon > kMaxHeaderLength) {
    result.outcome = StepOutcome::header_too_long;
    return result;
  }
  parse_parameters(text, colon, parsed);
  if (outputs.echo_parsed) {
    console_printf("  [%s]\n", text);
    console_flush();
  }
  // "Record at line %d gives %d values, rule [%s] reads %d: the missing inputs are 0\n"
  if (parsed.values_given < rule.set.input_count)
    console_printf(
        "Record at line %d gives %d values, rule [%s] reads %d: the missing inputs are 0\n", line,
        parsed.values_given, rule.set.from_model, rule.set.input_count);
  result.conversion = convert_parsed(rule, text, parsed, crlf, outputs);
  result.outcome = result.conversion.failed ? StepOutcome::failed : StepOutcome::converted;
  return result;
}

ConversionResult convert_parsed(const ActiveRule& rule, char* text, ParsedRecord& parsed, bool crlf,
                                const StepOutputs& outputs) {
  const RuleSet& r = rule.set;
  for (int i = 0; i < r.input_count; ++i) rule.values.inputs[i] = parsed.values.values[i];
  ConversionResult result = convert_record(rule, text, parsed.colon_position, outputs.streams);
  if (outputs.tuner && !result.failed) outputs.tuner->tune(outputs.at, text, parsed, result);
  if (outputs.out)
    write_converted_record(outputs.out, r, text, result.header_end, parsed.mva_text, result.outputs,
                           crlf);
  return result;
}
