// The HTML writer: text escaped unless written raw, elements closed by their scope,
// attributes escaped, numbers in the programs' one format.
#include "rulecheck/report/html_writer.h"

#include "test_support.h"

namespace {

TEST(HtmlWriter, TextIsEscapedAndElementsCloseWithTheirScope) {
  test_support::CapturedFile out;
  {
    Html h{out.f};
    Element p(h, "p");
    p.attr("title", "a<b>&\"c'");
    text(h, "<zz> & \"quoted\" 'single' \x01\xe9");
    {
      Element code(h, "code");
      raw(h, "&rarr;");
    }
    Element(h, "rect").attr("x", 0.25, 1).attr("width", 10);
  }
  EXPECT_EQ(out.text(),
            "<p title=\"a&lt;b&gt;&amp;&quot;c&#39;\">&lt;zz&gt; &amp; &quot;quoted&quot; "
            "&#39;single&#39; \\x01&#xE9;<code>&rarr;</code><rect x=\"0.2\" width=\"10\"/></p>");
}

TEST(HtmlWriter, EmptyElementsAndNumbers) {
  test_support::CapturedFile out;
  {
    Html h{out.f};
    { Element td(h, "td"); }
    element(h, "td", "n", "-");
    number(h, 1.0);
    text(h, " ");
    number(h, 0.0);
    text(h, " ");
    number(h, 12.5);
    text(h, " ");
    number(h, 0.05);
    text(h, " ");
    integer(h, -3);
  }
  // Empty HTML elements keep their end tag; numbers in their shortest form, never "1.".
  EXPECT_EQ(out.text(), "<td></td><td class=\"n\">-</td>1 0 12.5 0.05 -3");
}

}  // namespace
