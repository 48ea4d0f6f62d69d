// One complete HTTP request over our WinInet layer, returning the response body.
#pragma once

#include <optional>

#include "text/values.h"
#include "web/request_headers.h"

// Fetches url and returns the body as read; empty when the request could not
// be opened or nothing was read. Every parameter but url may be omitted; a
// nullptr in/out parameter behaves as an empty variable whose result is dropped.
//   method: 1 sends "POST", any other value "GET"; every value but 0 sends a
//     body: postBytes, or when that is empty postText (then written back into
//     postBytes).
//   cookies: supplied (even empty) keeps the layer's own cookie store out of
//     the request, sends a Cookie line when not empty, and receives the merge
//     of itself with the cookies the response set.
//   receivedCookies: the response's cookies as name=value items joined by "; ".
//   requestHeaders: extra CRLF-separated lines in; the whole header text sent out.
//     A "User-Agent:" line among them names the agent.
//   responseHeaders: the final response's status and header lines, CRLF-ended,
//     with "Set-Cookie" in that spelling; empty when no response arrived.
//   noRedirect: leave redirects unfollowed.
//   proxy: supplied (even empty) sends the request through that proxy.
Bytes FetchWebPage(const Text& url, int method = 0, const Text& postText = Text(), Text* cookies = nullptr,
                   Text* receivedCookies = nullptr, Text* requestHeaders = nullptr,
                   Text* responseHeaders = nullptr, bool noRedirect = false, Bytes* postBytes = nullptr,
                   const std::optional<Text>& proxy = std::nullopt);
