// Reading hypertext into plain and linked runs, written in the ways HTML allows.
#include "app/simple_html_text.h"

#include <gtest/gtest.h>

namespace {
std::string Show(const std::vector<HtmlRun>& runs) {
  std::string out;
  for (const HtmlRun& run : runs) out += run.target.empty() ? "[" + run.text + "]" : "[" + run.text + "->" + run.target + "]";
  return out;
}

TEST(ReadSimpleHtml, SplitsTextAndAnchors) {
  const struct {
    const char* html;
    const char* runs;
  } cases[] = {
      {"", ""},
      {"plain", "[plain]"},
      {"<a href=http://a.b/>A</a>|<a href=http://c.d/x>B</a>", "[A->http://a.b/][|][B->http://c.d/x]"},
      {"<A HREF=\"http://a.b/q?x=1&y=2\">A</A>", "[A->http://a.b/q?x=1&y=2]"},
      {"<a class=x href='http://a.b/'>A</a>", "[A->http://a.b/]"},
      {"<a href = http://a.b/ target=_blank>A</a> tail", "[A->http://a.b/][ tail]"},
      {"<p><b>bold</b> and <i>it</i></p>", "[bold and it]"},
      {"a&amp;b &lt;c&gt; &quot;d&quot; &bogus; x", "[a&b <c> \"d\" &bogus; x]"},
      {"two   spaces\nand\tnewline", "[two spaces and newline]"},
      {"<a href=http://a.b/>never closed", "[never closed->http://a.b/]"},
      {"text <unfinished tag", "[text ]"},
      {"<abbr title=x>abbr</abbr>", "[abbr]"},
      {"<a>no target</a>", "[no target]"},
  };
  for (const auto& c : cases) EXPECT_EQ(Show(ReadSimpleHtml(c.html)), c.runs) << c.html;
}
}  // namespace
