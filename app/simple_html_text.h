// Reading the small HTML text of a SimpleHtml box into runs of plain and linked text.
#pragma once

#include <string>
#include <vector>

struct HtmlRun {
  std::string text;    // as written, entities resolved
  std::string target;  // the anchor's href; empty for plain text
};

// Anchors become linked runs; every other tag is dropped and its text kept.
// The href may be quoted with ' or " or written bare. Whitespace runs collapse
// to one space. An unclosed tag or anchor ends at the end of the text.
std::vector<HtmlRun> ReadSimpleHtml(const std::string& html);
