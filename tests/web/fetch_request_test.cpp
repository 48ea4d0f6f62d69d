// What a server receives from FetchWebPage, byte for byte, and what the caller's
// in/out variables hold afterwards.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fetch_fixture.h"
#include "web/fetch_web_page.h"

namespace {

struct RequestCase {
  const char* name;
  const char* path;
  int method;
  const char* postText;
  std::optional<std::string> postBytes;       // nothing: not supplied
  std::optional<std::string> requestHeaders;  // nothing: not supplied
  std::optional<std::string> cookies;         // nothing: not supplied
  std::string requestLine;
  std::string afterHost;  // the head after the Host line, empty line excluded
  std::string body;
  std::string headersAfter;                   // requestHeaders on return, when supplied
  std::optional<std::string> postBytesAfter;  // postBytes on return, when supplied
};

TEST_F(FetchWebPageTest, SendsTheRequestTheArgumentsDescribe) {
  const std::string defaults = kDefaultLines;
  const std::string agent = kDefaultAgentLine;
  const RequestCase cases[] = {
      {"link alone", "/song?id=7", 0, "", std::nullopt, std::nullopt, std::nullopt, "GET /song?id=7 HTTP/1.1",
       agent + defaults + "\r\n", "", "", std::nullopt},
      {"POST of the text, written back as bytes", "/form", 1, "a=1", std::string(), std::string(), std::nullopt,
       "POST /form HTTP/1.1", agent + defaults + "\r\nContent-Length: 3\r\n", "a=1", defaults, std::string("a=1")},
      {"POST of the bytes, the text ignored", "/form", 1, "a=1", std::string("r\0w\xff", 4), std::nullopt,
       std::nullopt, "POST /form HTTP/1.1", agent + defaults + "\r\nContent-Length: 4\r\n", std::string("r\0w\xff", 4),
       "", std::string("r\0w\xff", 4)},
      {"method 0 sends no body and leaves the bytes alone", "/", 0, "a=1", std::string("raw"), std::nullopt,
       std::nullopt, "GET / HTTP/1.1", agent + defaults + "\r\n", "", "", std::string("raw")},
      {"method 2: GET with a body", "/q", 2, "q=2", std::nullopt, std::nullopt, std::nullopt, "GET /q HTTP/1.1",
       agent + defaults + "\r\nContent-Length: 3\r\n", "q=2", "", std::nullopt},
      {"POST with nothing to send", "/form", 1, "", std::nullopt, std::nullopt, std::nullopt, "POST /form HTTP/1.1",
       agent + defaults + "\r\nContent-Length: 0\r\n", "", "", std::nullopt},
      {"the caller's agent line, defaults after it", "/", 0, "", std::nullopt, std::string("User-Agent: Foo"),
       std::nullopt, "GET / HTTP/1.1", "User-Agent: Foo\r\n" + defaults + "\r\n", "",
       "User-Agent: Foo\r\n" + defaults, std::nullopt},
      {"an agent line in another case, after other lines", "/", 0, "", std::nullopt,
       std::string("X-A: 1\r\nuser-agent: Bar"), std::nullopt, "GET / HTTP/1.1",
       "X-A: 1\r\nuser-agent: Bar\r\n" + defaults + "\r\n", "", "X-A: 1\r\nuser-agent: Bar\r\n" + defaults,
       std::nullopt},
      {"a line break in the agent read by the colon fallback adds no line", "/", 0, "", std::nullopt,
       std::string("X-User-Agent:\r\nY: z"), std::nullopt, "GET / HTTP/1.1",
       "X-User-Agent:\r\nY: z\r\n" + defaults + "\r\n", "", "X-User-Agent:\r\nY: z\r\n" + defaults, std::nullopt},
      {"Accept inside another name keeps the default Accept away", "/", 0, "", std::nullopt,
       std::string("X-Accept: a"), std::nullopt, "GET / HTTP/1.1",
       agent + "X-Accept: a\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded\r\n", "",
       "X-Accept: a\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded", std::nullopt},
      {"the caller's cookies as the last line", "/", 0, "", std::nullopt, std::string(), std::string("k=v; w=x"),
       "GET / HTTP/1.1", agent + defaults + "\r\nCookie: k=v; w=x\r\n", "", defaults + "\r\nCookie: k=v; w=x",
       std::nullopt},
      {"empty cookies: no Cookie line", "/", 0, "", std::nullopt, std::nullopt, std::string(), "GET / HTTP/1.1",
       agent + defaults + "\r\n", "", "", std::nullopt},
      {"path in the link's own case, blanks escaped", "/A b/C?D=E", 0, "", std::nullopt, std::nullopt, std::nullopt,
       "GET /A%20b/C?D=E HTTP/1.1", agent + defaults + "\r\n", "", "", std::nullopt},
  };
  web.SetRoute("*", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
  for (const RequestCase& c : cases) {
    SCOPED_TRACE(c.name);
    web.ClearRequests();
    std::optional<Text> requestHeaders, cookies;
    std::optional<Bytes> postBytes;
    if (c.requestHeaders) requestHeaders = Text(*c.requestHeaders);
    if (c.cookies) cookies = Text(*c.cookies);
    if (c.postBytes) postBytes = Bytes(*c.postBytes);

    const Bytes body = FetchWebPage(web.Url(c.path), c.method, c.postText, cookies ? &*cookies : nullptr, nullptr,
                                    requestHeaders ? &*requestHeaders : nullptr, nullptr, false,
                                    postBytes ? &*postBytes : nullptr);

    EXPECT_EQ(AsString(body), "ok");
    const auto received = web.Requests();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(HeadOf(received[0]), c.requestLine + "\r\n" + HostLine() + c.afterHost + "\r\n");
    EXPECT_EQ(BodyOf(received[0]), c.body);
    if (requestHeaders) {
      EXPECT_EQ(requestHeaders->str(), c.headersAfter);
    }
    if (postBytes) {
      EXPECT_EQ(AsString(*postBytes), *c.postBytesAfter);
    }
  }
}

TEST_F(FetchWebPageTest, TheLayersCookieStoreServesOnlyCallersWithoutCookies) {
  web.SetRoute("/set", "HTTP/1.1 200 OK\r\nSet-Cookie: s=1; path=/\r\nContent-Length: 0\r\n\r\n");
  web.SetRoute("/next", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");

  FetchWebPage(web.Url("/set"));
  FetchWebPage(web.Url("/next"));
  Text ownCookies;
  FetchWebPage(web.Url("/next"), 0, Text(), &ownCookies);

  const auto received = web.Requests();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_NE(received[1].find("\r\nCookie: s=1\r\n"), std::string::npos) << received[1];
  EXPECT_EQ(received[2].find("Cookie:"), std::string::npos) << received[2];
}

}  // namespace
