// The page request: open, send, read the body, read the headers, close, collect cookies.
#include "web/fetch_web_page.h"

#include <string>

#include "platform/inet/wininet.h"
#include "text/editing.h"
#include "text/primitives.h"
#include "web/body_collector.h"
#include "web/cookies.h"
#include "web/response_cookies.h"
#include "web/url_parts.h"

namespace {

constexpr DWORD kReadSize = 1024;
constexpr DWORD kHeaderBufferSize = 5000;
// An announced length beyond this is not trusted with a reservation up front:
// a lying server could make us claim memory it never fills.
constexpr DWORD kLargestReservation = 256u << 20;

HINTERNET OpenInternet(const Text& agent, bool secure, const std::optional<Text>& proxy) {
  if (!proxy) return InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  // A plain link needs the proxy named for http; a bare entry serves both schemes.
  const Text proxyList = secure ? *proxy : JoinText("http=", *proxy);
  return InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, proxyList.c_str(), "", 0);
}

DWORD RequestFlags(bool secure, bool cookiesSupplied, bool noRedirect) {
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NEED_FILE;
  if (cookiesSupplied) flags |= INTERNET_FLAG_NO_COOKIES;
  if (noRedirect) flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
  flags |= secure ? INTERNET_FLAG_SECURE : INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
  return flags;
}

Bytes ReadBody(HINTERNET request) {
  unsigned char piece[kReadSize];
  DWORD count = 0;
  // Growing one buffer by doubling would copy the body and, for a moment, hold
  // it twice. With an announced length the body is placed once; without one it
  // is gathered in blocks and put together at the end.
  DWORD announced = 0;
  DWORD size = sizeof announced;
  if (HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &announced, &size, nullptr) &&
      announced <= kLargestReservation) {
    Bytes body;
    body.Reserve(announced);
    for (;;) {
      InternetReadFile(request, piece, kReadSize, &count);
      if (count == 0) return body;
      body.Append(piece, count);
    }
  }
  BodyCollector collector;
  for (;;) {
    InternetReadFile(request, piece, kReadSize, &count);
    if (count == 0) return collector.Take();
    collector.Append(piece, count);
  }
}

// The raw header text of the final response. Headers longer than the first
// buffer are read again into a buffer of the size the layer names, so that
// long cookie-laden responses lose neither headers nor cookies.
Text ReadRawHeaders(HINTERNET request) {
  std::string buffer(kHeaderBufferSize, ' ');
  DWORD length = kHeaderBufferSize;
  if (HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr)) return Text(buffer);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || length <= kHeaderBufferSize) return Text();
  buffer.assign(length, ' ');
  if (HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr)) return Text(buffer);
  return Text();
}

}  // namespace

Bytes FetchWebPage(const Text& url, int method, const Text& postText, Text* cookies, Text* receivedCookies,
                   Text* requestHeaders, Text* responseHeaders, bool noRedirect, Bytes* postBytes,
                   const std::optional<Text>& proxy) {
  const Text verb = method == 1 ? "POST" : "GET";
  const bool secure = CompareText(TextLeft(ToLower(url), 5), "https") == 0;
  const Text callerHeaders = requestHeaders ? *requestHeaders : Text();

  // The agent stays on one line so that it cannot add header lines of its own.
  HINTERNET internet = OpenInternet(FirstLineOf(ChooseUserAgent(callerHeaders)), secure, proxy);
  if (!internet) return Bytes();

  // A port the link names beyond 16 bits would wrap around to another port.
  const int port = ExtractPort(url);
  HINTERNET connection = nullptr;
  if (port >= 0 && port <= 0xFFFF) {
    connection = InternetConnectA(internet, ExtractHost(url).c_str(), static_cast<INTERNET_PORT>(port), nullptr,
                                  nullptr, INTERNET_SERVICE_HTTP, 0, 0);
  }
  if (!connection) {
    InternetCloseHandle(internet);
    return Bytes();
  }

  HINTERNET request = HttpOpenRequestA(connection, verb.c_str(), ExtractPath(url).c_str(), "HTTP/1.1", nullptr,
                                       nullptr, RequestFlags(secure, cookies != nullptr, noRedirect), 0);
  if (!request) {
    InternetCloseHandle(connection);
    InternetCloseHandle(internet);
    return Bytes();
  }

  // From here on the caller's variables receive what was sent and received.
  const Text headers = CompleteRequestHeaders(callerHeaders, cookies ? *cookies : Text());
  if (requestHeaders) *requestHeaders = headers;

  if (method != 0) {
    Bytes ownBody;
    Bytes& sentBody = postBytes ? *postBytes : ownBody;
    if (BytesLength(sentBody) == 0) sentBody = TextToBytes(postText);
    HttpSendRequestA(request, headers.c_str(), TextLength(headers), sentBody.empty() ? nullptr : sentBody.data(),
                     BytesLength(sentBody));
  } else {
    HttpSendRequestA(request, headers.c_str(), TextLength(headers), nullptr, 0);
  }
  // A failed send is not told apart: its reads give nothing and so does the body.

  Bytes body = ReadBody(request);
  const Text rawHeaders = NormaliseSetCookieNames(ReadRawHeaders(request));

  InternetCloseHandle(request);
  InternetCloseHandle(connection);
  InternetCloseHandle(internet);

  Text received = CollectReceivedCookies(rawHeaders);
  if (cookies) MergeCookies(*cookies, received);
  if (receivedCookies) *receivedCookies = received;
  if (responseHeaders) *responseHeaders = rawHeaders;
  return body;
}
