// The batch converter's reading loop over a dynamic data file: every line copied or,
// when its model has a rule and its bus is selected, converted. The same loop serves
// the preview, with every output switched off and a tally kept instead.
#include "batch/convert_file.h"

#include <cstring>

#include "io/line_reader.h"
#include "records/record_reader.h"
#include "records/record_writer.h"
#include "text/format.h"
#include "text/scan.h"

namespace {

DynamicRecord record;
RawLines raw;

void write(std::FILE* f, const char* bytes, std::size_t n) {
  if (f) std::fwrite(bytes, 1, n, f);
}

// Writes a record that could not be converted exactly as it was read.
void copy_unconverted(std::FILE* out, const char* reason) {
  report_unconverted(reason, record.text);
  write(out, raw.bytes, raw.length);
}

void tally_model(BatchTally& tally, const char* model) {
  for (int i = 0; i < tally.model_count; ++i) {
    if (std::strncmp(tally.models[i], model, kTalliedNameSize - 1) == 0) {
      ++tally.model_records[i];
      return;
    }
  }
  if (tally.model_count == kMaxTalliedModels) {
    ++tally.other_model_records;
    return;
  }
  std::snprintf(tally.models[tally.model_count], kTalliedNameSize, "%s", model);
  tally.model_records[tally.model_count++] = 1;
}

}  // namespace

void convert_file(std::FILE* file, const BusSelection& selection, const BatchOutputs& outputs,
                  BatchTally* tally) {
  static LineInput in;
  input_start(in, file);
  int line_count = 0;
  int bus_number = 0;
  for (;;) {
    const int length = read_piece(in, record.text, kPieceSize);
    if (length == 0) break;
    ++line_count;
    if (outputs.trace) {  // "%8d\n", flushed before anything else is done with the line
      char number[16];
      char* end = put_int(number, line_count, 8);
      *end++ = '\n';
      std::fwrite(number, 1, static_cast<std::size_t>(end - number), outputs.trace);
      std::fflush(outputs.trace);
    }

    LineStart start;
    split_line_start(record.text, start);
    const int rule = match_rule_set(start.first);
    if (start.second) scan_int(start.second, &bus_number);
    if (rule < 0 && tally && start.first && is_letter(record.text[0]) &&
        find_colon(record.text) > 0)
      tally_model(*tally, start.first);
    if (rule < 0 || !bus_selected(selection, bus_number)) {
      write(outputs.out, record.text, static_cast<std::size_t>(length));
      continue;
    }

    raw_start(raw, record.text, length);
    if (join_continuations(in, record.text, &raw) == JoinResult::too_long) {
      copy_unconverted(outputs.out, "record longer than 1999 characters, copied unchanged");
      continue;
    }
    const bool crlf = ends_with_crlf(record.text);
    check_header_colons(record.text);
    const int colon = find_colon(record.text);
    if (colon < 0) {
      copy_unconverted(outputs.out, "no colon in the first 1900 characters, copied unchanged");
      continue;
    }
    if (colon > kMaxHeaderLength) {
      copy_unconverted(outputs.out, "header longer than 299 characters, copied unchanged");
      continue;
    }
    parse_parameters(record.text, colon, record.mva_text, record.values);
    RuleSet& r = current_rule_set();
    for (int i = 0; i < r.input_count; ++i) r.input_values[i] = record.values.values[i];
    const ConversionResult result =
        convert_record(record.text, record.values, colon, outputs.streams);
    if (tally) {
      tally->failed[rule] += result.failed;
      tally->suspects[rule] += result.suspects;
    }
    if (outputs.out)
      write_converted_record(outputs.out, r, record.text, result.header_end, record.mva_text,
                             record.values, crlf);
  }
}
