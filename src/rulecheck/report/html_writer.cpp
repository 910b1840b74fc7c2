// Writing HTML safely: text is escaped unless the call says raw, and every element is
// opened and closed by one scope object, so that no tag is left open by another function.
#include "rulecheck/report/html_writer.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "text/format.h"

namespace {

// The start tag waiting for its ">" gets it before any content.
void close_start(Html& html) {
  if (!html.start_open) return;
  std::fputc('>', html.out);
  html.start_open = false;
}

void put_escaped(std::FILE* out, const char* text) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    const unsigned char c = *p;
    const char* reference = c == '&'    ? "&amp;"
                            : c == '<'  ? "&lt;"
                            : c == '>'  ? "&gt;"
                            : c == '"'  ? "&quot;"
                            : c == '\'' ? "&#39;"
                                        : nullptr;
    if (reference) {
      std::fputs(reference, out);
    } else if (c < 0x20 || c == 0x7f) {
      std::fprintf(out, "\\x%02x", c);
    } else if (c >= 0x80) {
      std::fprintf(out, "&#x%X;", c);
    } else {
      std::fputc(c, out);
    }
  }
}

bool ends_self_closed(const char* tag) {
  for (const char* t : {"rect", "line", "polyline", "path", "circle", "meta"}) {
    if (std::strcmp(t, tag) == 0) return true;
  }
  return false;
}

}  // namespace

void text(Html& html, const char* s) {
  close_start(html);
  put_escaped(html.out, s);
}

void raw(Html& html, const char* markup) {
  close_start(html);
  std::fputs(markup, html.out);
}

void number(Html& html, double value) {
  close_start(html);
  char buf[kMaxFloatText + 1];
  put_shortest(buf, static_cast<float>(value));
  std::fputs(buf, html.out);
}

void number(Html& html, double value, int digits) {
  char rounded[kMaxFloatText + 16];
  std::snprintf(rounded, sizeof rounded, "%.*g", digits, value);
  number(html, std::strtod(rounded, nullptr));
}

void integer(Html& html, long value) {
  close_start(html);
  std::fprintf(html.out, "%ld", value);
}

Element::Element(Html& html, const char* tag) : html_(html), tag_(tag) {
  close_start(html);
  std::fprintf(html.out, "<%s", tag);
  html.start_open = true;
}

Element::~Element() {
  if (html_.start_open && ends_self_closed(tag_)) {
    std::fputs("/>", html_.out);
    html_.start_open = false;
    return;
  }
  close_start(html_);
  std::fprintf(html_.out, "</%s>", tag_);
}

Element& Element::attr(const char* name, const char* value) {
  std::fprintf(html_.out, " %s=\"", name);
  put_escaped(html_.out, value);
  std::fputc('"', html_.out);
  return *this;
}

Element& Element::attr(const char* name, int value) {
  std::fprintf(html_.out, " %s=\"%d\"", name, value);
  return *this;
}

Element& Element::attr(const char* name, double value, int decimals) {
  char buf[kMaxFloatText + 32];
  char* end = put_fixed(buf, value, 0, decimals);
  *end = '\0';
  std::fprintf(html_.out, " %s=\"%s\"", name, buf);
  return *this;
}

void element(Html& html, const char* tag, const char* css_class, const char* content) {
  Element e(html, tag);
  if (css_class) e.attr("class", css_class);
  text(html, content);
}
