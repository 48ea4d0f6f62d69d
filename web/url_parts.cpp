// Host, port and path of a link, cut with the text primitives.
#include "web/url_parts.h"

#include "text/editing.h"
#include "text/primitives.h"

namespace {

Text HostBySchemeMethod(Text working, bool domainOnly) {
  if (CompareText(TextRight(working, 1), "/") != 0) working = JoinText(working, "/");

  Text host;
  if (CompareText(TextLeft(working, 8), "https://") == 0) {
    host = TextBetween(working, "https://", "/");
  } else {
    // The search covers the whole link, so a link without a scheme that carries
    // "http://" in its query is read from there on.
    if (FindText(working, "http://") == -1) working = JoinText("http://", working);
    host = TextBetween(working, "http://", "/");
  }

  if (domainOnly) {
    TextArray labels = SplitText(host, ".");
    const int count = ArraySize(labels);
    if (count > 1) host = JoinText(labels[count - 1], ".", labels[count]);
  }
  return host;
}

Text HostByLabelCounting(Text working, bool domainOnly, int suffixLabels) {
  working = ReplaceText(working, "http://", Text(), std::nullopt, std::nullopt, true);
  working = ReplaceText(working, "https://", Text(), std::nullopt, std::nullopt, true);
  const int slash = FindText(working, "/");
  if (slash > 0) working = TextLeft(working, slash - 1);

  const int length = TextLength(working);
  // Walk backwards over the dots; a failed search gives -1, and a search that
  // starts from -1 finds nothing, so h stays -1 once the dots run out.
  int h = length;
  for (int i = 0; i < suffixLabels; ++i) h = FindTextReverse(working, ".", h);
  const int l = FindTextReverse(working, ".", h);

  if (domainOnly) return TextRight(working, length - l);
  if (l != -1) {
    const int m = FindTextReverse(working, ".", l);
    if (m != -1) return TextRight(working, length - m);
  }
  return working;
}

}  // namespace

Text ExtractHost(const Text& url, bool domainOnly, bool keepPort, std::optional<int> suffixLabels) {
  const Text working = ToLower(url);
  const Text host = suffixLabels ? HostByLabelCounting(working, domainOnly, *suffixLabels)
                                 : HostBySchemeMethod(working, domainOnly);
  if (keepPort) return host;
  const int colon = FindText(host, ":");
  return colon > 0 ? TextLeft(host, colon - 1) : host;
}

int ExtractPort(const Text& url) {
  const Text hostWithPort = ExtractHost(url, false, true);
  const int colon = FindTextReverse(hostWithPort, ":");
  if (colon != -1) return ToInt(TextRight(hostWithPort, TextLength(hostWithPort) - colon));
  return CompareText(TextLeft(ToLower(url), 5), "https") == 0 ? 443 : 80;
}

Text ExtractPath(const Text& url) {
  const Text host = ExtractHost(url);
  // The host is lower case while the link may not be.
  const int a = FindText(url, host, 1, true);
  const int b = FindText(url, "/", a, true);
  if (b <= 0) return "/";
  return TextRight(url, TextLength(url) - b + 1);
}
