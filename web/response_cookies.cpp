// Collecting the Set-Cookie items of a response.
#include "web/response_cookies.h"

#include "text/editing.h"
#include "text/primitives.h"

Text NormaliseSetCookieNames(const Text& responseHeaders) {
  return ReplaceText(responseHeaders, "Set-Cookie", "Set-Cookie", std::nullopt, std::nullopt, false);
}

Text CollectReceivedCookies(const Text& responseHeaders) {
  const TextArray lines = SplitText(responseHeaders, "\r\n");
  Text received;
  for (int i = 1; i <= ArraySize(lines); ++i) {
    const Text& line = lines[i];
    if (FindText(line, "Set-Cookie") == -1) continue;
    const Text item = FindText(line, ";") != -1
                          ? TrimBoth(TextBetween(line, "Set-Cookie:", ";"))
                          : TrimBoth(ReplaceText(line, "Set-Cookie:", Text(), std::nullopt, std::nullopt, false));
    received = JoinText(received, item, "; ");
  }
  return TextLeft(received, TextLength(received) - 2);
}
