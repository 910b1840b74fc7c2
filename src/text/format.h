// Formatting numbers and texts into a buffer without the general printf path, with the
// very bytes snprintf writes for the conversions the programs use (proven by tests).
// Each call may store up to 16 characters beyond the end it returns (blanks that the
// next piece overwrites): a buffer keeps that much room behind its text.
#pragma once

// "%*.*f": `value` with `precision` decimals, right-aligned in `width` characters, or
// left-aligned when `left` is set ("%-*.*f"). Returns the end of what was written.
char* put_fixed(char* out, double value, int width, int precision, bool left = false);

// "%*d" / "%-*d".
char* put_int(char* out, int value, int width, bool left = false);

// A fixed piece of text ("] [", " #9 "), as it is: the one writer of literals.
template <int N>
inline char* put_literal(char* out, const char (&text)[N]) {
  for (int i = 0; i < N - 1; ++i) out[i] = text[i];
  return out + N - 1;
}

// "%-*.*s" (left) or "%*.*s": at most `max` characters of `text` (max < 0: all of
// them), padded with blanks to `width`.
char* put_text(char* out, const char* text, int width, int max = -1, bool left = true);

// The shortest text that reads back as `value` (std::to_chars): "0.5", "20", "-99999",
// "1e+20", the same on every system. For messages; NUL-terminated.
char* put_shortest(char* out, float value);

// The widest text put_fixed writes for a float widened to double, with up to 4
// decimals and no wider field: 39 digits, a sign, a point and the decimals.
constexpr int kMaxFloatText = 48;
