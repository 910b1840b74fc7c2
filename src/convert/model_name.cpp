// The converted record's new model name (the to-model, or "failed") at the start of its header.
#include "convert/model_name.h"

#include <cstring>

#include "rules/rule_table.h"

int write_model_name(char* text, int colon_position, const char* name) {
  // The model token and where the token after it begins, before anything is overwritten.
  const int model_start = static_cast<int>(std::strspn(text, " ,\t"));
  const int model_end = model_start + static_cast<int>(std::strcspn(text + model_start, " ,:\t"));
  const int second = model_end + static_cast<int>(std::strspn(text + model_end, " ,\t"));
  const int length = static_cast<int>(std::strlen(name));

  if (length >= second && second < colon_position) {
    // Name, one blank, then the header from its second token up to the colon.
    char header[kNameSize + 1];
    std::memcpy(header, name, static_cast<std::size_t>(length));
    header[length] = ' ';
    const int tail = colon_position - second;
    std::memmove(text + length + 1, text + second, static_cast<std::size_t>(tail));
    std::memcpy(text, header, static_cast<std::size_t>(length + 1));
    return length + 1 + tail;
  }
  // The model field: six characters, or the whole old model token where it is longer,
  // but never into the second token (a compact header's bus number).
  int field = model_end > 6 ? model_end : 6;
  if (field > second) field = second;
  std::memset(text, ' ', static_cast<std::size_t>(field));
  std::memcpy(text, name, static_cast<std::size_t>(length));
  return colon_position;
}
