// Stateful in-place tokenizer: splits a text at runs of delimiter characters.
#include "text/tokenizer.h"

#include <cstring>

void tokenizer_start(Tokenizer& t, char* text) { t.next = text; }

char* next_token(Tokenizer& t, const char* delimiters) {
  char* p = t.next;
  p += std::strspn(p, delimiters);
  if (*p == '\0') {
    t.next = p;
    return nullptr;
  }
  char* token = p;
  p += std::strcspn(p, delimiters);
  if (*p != '\0') {
    *p = '\0';
    ++p;
  }
  t.next = p;
  return token;
}
