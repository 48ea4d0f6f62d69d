// A reader for the few tags a SimpleHtml box shows: text, anchors, entities.
#include "app/simple_html_text.h"

#include <cctype>
#include <cstring>

namespace {
bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The value of attribute `name` inside a tag's text, or empty.
std::string AttributeValue(const std::string& tag, const char* name) {
  std::string lower = Lower(tag);
  std::size_t at = 0;
  const std::size_t nameLength = std::strlen(name);
  while ((at = lower.find(name, at)) != std::string::npos) {
    bool startsWord = at == 0 || IsSpace(lower[at - 1]);
    std::size_t p = at + nameLength;
    while (p < tag.size() && IsSpace(tag[p])) ++p;
    if (!startsWord || p >= tag.size() || tag[p] != '=') {
      at += nameLength;
      continue;
    }
    ++p;
    while (p < tag.size() && IsSpace(tag[p])) ++p;
    if (p < tag.size() && (tag[p] == '"' || tag[p] == '\'')) {
      std::size_t end = tag.find(tag[p], p + 1);
      if (end == std::string::npos) end = tag.size();
      return tag.substr(p + 1, end - p - 1);
    }
    std::size_t end = p;
    while (end < tag.size() && !IsSpace(tag[end])) ++end;
    return tag.substr(p, end - p);
  }
  return std::string();
}

// Resolves an entity starting at html[at] == '&'; appends it and returns its length.
std::size_t AppendEntity(const std::string& html, std::size_t at, std::string* out) {
  static const struct {
    const char* name;
    const char* text;
  } kEntities[] = {{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&#39;", "'"}};
  for (const auto& entity : kEntities) {
    if (html.compare(at, std::strlen(entity.name), entity.name) == 0) {
      out->append(entity.text);
      return std::strlen(entity.name);
    }
  }
  out->push_back('&');
  return 1;
}
}  // namespace

std::vector<HtmlRun> ReadSimpleHtml(const std::string& html) {
  std::vector<HtmlRun> runs;
  HtmlRun current;
  auto finishRun = [&]() {
    if (!current.text.empty()) runs.push_back(current);
    current.text.clear();
  };
  std::size_t i = 0;
  while (i < html.size()) {
    char c = html[i];
    if (c == '<') {
      std::size_t end = html.find('>', i);
      if (end == std::string::npos) end = html.size();
      std::string tag = html.substr(i + 1, end - i - 1);
      std::string lower = Lower(tag);
      if (lower.rfind("a", 0) == 0 && (lower.size() == 1 || IsSpace(lower[1]))) {
        finishRun();
        current.target = AttributeValue(tag, "href");
      } else if (lower.rfind("/a", 0) == 0 && (lower.size() == 2 || IsSpace(lower[2]))) {
        finishRun();
        current.target.clear();
      }
      i = end + 1;
    } else if (c == '&') {
      i += AppendEntity(html, i, &current.text);
    } else if (IsSpace(c)) {
      if (current.text.empty() || current.text.back() != ' ') current.text.push_back(' ');
      ++i;
    } else {
      current.text.push_back(c);
      ++i;
    }
  }
  finishRun();
  return runs;
}
