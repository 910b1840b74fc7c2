// The converted record's new model name (the to-model, or "failed") at the start of its header.
#pragma once

// Blanks the record's model field (its first six characters, or its whole model token
// when that is longer, but never past where the second token begins) and writes `name`
// over the start of the text. A name that would
// reach the record's second token (the bus number) instead becomes the header's start,
// followed by one blank and the header from that token on. Returns the colon position
// of the renamed header, which moves with the header's length. The text needs room for
// the header to grow by the name's length plus one.
int write_model_name(char* text, int colon_position, const char* name);
