// Choosing the user agent and completing the request header lines.
#include "web/request_headers.h"

#include "text/editing.h"
#include "text/primitives.h"

Text TextAfterColon(const Text& headerText) {
  const int colon = FindText(headerText, ":");
  if (colon == -1) return Text();
  return TrimBoth(TextRight(headerText, TextLength(headerText) - colon));
}

Text ChooseUserAgent(const Text& requestHeaders) {
  if (FindText(requestHeaders, "User-Agent:", std::nullopt, true) == -1) return DefaultUserAgent;
  const Text agent = TrimBoth(TextBetween(requestHeaders, "User-Agent:", "\r\n"));
  return TextLength(agent) > 0 ? agent : TextAfterColon(requestHeaders);
}

Text FirstLineOf(const Text& text) {
  const int cr = FindText(text, "\r");
  const int lf = FindText(text, "\n");
  const int end = cr == -1 ? lf : (lf == -1 || cr < lf ? cr : lf);
  return end == -1 ? text : TextLeft(text, end - 1);
}

Text CompleteRequestHeaders(const Text& requestHeaders, const Text& cookies) {
  Text headers = requestHeaders;
  if (TextLength(headers) == 0) {
    headers = "Accept: */*";
  } else if (FindText(headers, "Accept:") == -1) {
    headers = JoinText(headers, "\r\nAccept: */*");
  }
  if (FindText(headers, "Accept-Language:") == -1) headers = JoinText(headers, "\r\nAccept-Language: zh-cn");
  // Added whatever the verb: servers that read a body want to know its form.
  if (FindText(headers, "Content-Type:") == -1) {
    headers = JoinText(headers, "\r\nContent-Type: application/x-www-form-urlencoded");
  }
  if (TextLength(cookies) > 0) headers = JoinText(headers, "\r\nCookie: ", cookies);
  return headers;
}
