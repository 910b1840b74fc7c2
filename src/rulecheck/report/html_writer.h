// Writing HTML safely: text is escaped unless the call says raw, and every element is
// opened and closed by one scope object, so that no tag is left open by another function.
#pragma once
#include <cstdio>

// The document being written. Text written through it is escaped; a start tag waits for
// its attributes until the element's content, or its end, is written.
struct Html {
  std::FILE* out;
  bool start_open = false;  // "<tag ..." written, its ">" not yet
};

// Text of the data or rule files, safe in HTML: markup characters as references, control
// characters as \xNN, other bytes above 0x7f as the Latin-1 characters.
void text(Html& html, const char* text);
// Markup the program writes itself (a literal, never text from a file): as it is.
void raw(Html& html, const char* markup);
// A value as its shortest text that reads back as the same single-precision number
// ("1", "0.05", "-99999", "1e+20"): the one number format of the report.
void number(Html& html, double value);
// The same, of a computed value (a mean) rounded first to `digits` significant digits.
void number(Html& html, double value, int digits);
void integer(Html& html, long value);

// An element: "<tag" when made, its attributes while no content is written, and its end
// tag when the scope ends. Elements of SVG shapes and "meta" end as "/>" when empty.
class Element {
 public:
  Element(Html& html, const char* tag);
  ~Element();
  Element(const Element&) = delete;
  Element& operator=(const Element&) = delete;

  Element& attr(const char* name, const char* value);  // the value escaped
  Element& attr(const char* name, int value);
  // A coordinate or size, with `decimals` decimals through the project's formatter.
  Element& attr(const char* name, double value, int decimals);

 private:
  Html& html_;
  const char* tag_;
};

// <tag class="...">text</tag> in one call; `css_class` may be nullptr.
void element(Html& html, const char* tag, const char* css_class, const char* content);
