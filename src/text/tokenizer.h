// Stateful in-place tokenizer: splits a text at runs of delimiter characters.
#pragma once

// Each token is NUL-terminated in place, over the one delimiter that ends it, so a
// text that has been tokenized reads, as a string, up to the end of its last token
// taken. The delimiter set may change from one call to the next.
struct Tokenizer {
  char* next;  // where the next search starts; points at a NUL once the text is used up
};

void tokenizer_start(Tokenizer& t, char* text);
// The next token, or nullptr when only delimiters are left.
char* next_token(Tokenizer& t, const char* delimiters);
