// The user-agent rule, the completed request header text and the cookies read
// from response headers, apart from any network traffic.
#include <gtest/gtest.h>

#include "web/request_headers.h"
#include "web/response_cookies.h"

namespace {

TEST(TextAfterColon, GivesTheTrimmedRest) {
  const struct {
    const char* header;
    const char* value;
  } cases[] = {{"Name: value", "value"}, {"no colon", ""},   {"", ""},
               {"A: b: c ", "b: c"},     {"Name:", ""},      {":x", "x"}};
  for (const auto& c : cases) EXPECT_EQ(TextAfterColon(c.header).str(), c.value) << c.header;
}

TEST(ChooseUserAgent, FollowsTheCallersLines) {
  const struct {
    const char* headers;
    const char* agent;
  } cases[] = {
      {"", DefaultUserAgent},
      {"X-Agent: 1", DefaultUserAgent},
      {"User-Agent: Foo", "Foo"},
      {"User-Agent: Foo\r\nX-A: 1", "Foo"},
      {"X-A: 1\r\nUser-Agent:  Foo Bar \r\nX-B: 2", "Foo Bar"},
      // The agent line last, with no CRLF after it: everything after the first colon.
      {"X-A: 1\r\nUser-Agent: Foo", "1\r\nUser-Agent: Foo"},
      // Another case keeps the default away but is not found by the exact reading.
      {"user-agent: Foo\r\nX: 1", "Foo\r\nX: 1"},
      {"USER-AGENT: Foo", "Foo"},
      {"User-Agent:   \r\nX: 1", "\r\nX: 1"},
      {"User-Agent:", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ChooseUserAgent(c.headers).str(), c.agent) << c.headers;
}

TEST(FirstLineOf, StopsAtTheFirstLineBreak) {
  const struct {
    const char* text;
    const char* line;
  } cases[] = {{"Foo", "Foo"}, {"Foo\r\nX: 1", "Foo"}, {"\r\nY: z", ""}, {"a\nb\rc", "a"},
               {"a\rb\nc", "a"}, {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(FirstLineOf(c.text).str(), c.line) << c.text;
}

TEST(CompleteRequestHeaders, AddsOnlyTheMissingDefaultLines) {
  const char* accept = "Accept: */*";
  const char* language = "\r\nAccept-Language: zh-cn";
  const char* type = "\r\nContent-Type: application/x-www-form-urlencoded";
  const struct {
    const char* headers;
    const char* cookies;
    std::string sent;
  } cases[] = {
      {"", "", std::string(accept) + language + type},
      {"User-Agent: Foo", "", std::string("User-Agent: Foo\r\n") + accept + language + type},
      // "Accept:" inside another name counts; a lower-case "accept:" does not.
      {"X-Accept: a", "", std::string("X-Accept: a") + language + type},
      {"accept: a", "", std::string("accept: a\r\n") + accept + language + type},
      {"Accept-Language: en\r\nContent-Type: text/plain", "",
       std::string("Accept-Language: en\r\nContent-Type: text/plain\r\n") + accept},
      {"", "k=v", std::string(accept) + language + type + "\r\nCookie: k=v"},
      {"Accept: a\r\nAccept-Language: b\r\nContent-Type: c", "a=1; b=2",
       "Accept: a\r\nAccept-Language: b\r\nContent-Type: c\r\nCookie: a=1; b=2"},
  };
  for (const auto& c : cases) EXPECT_EQ(CompleteRequestHeaders(c.headers, c.cookies).str(), c.sent) << c.headers;
}

TEST(ResponseCookies, NormalisedNamesAndCollectedItems) {
  const struct {
    const char* headers;
    const char* normalised;
    const char* received;
  } cases[] = {
      {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nset-cookie: b=2\r\n\r\n",
       "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n\r\n", "a=1; b=2"},
      {"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", ""},
      {"SET-COOKIE: c=3; HttpOnly\r\nsEt-CoOkIe:  d = 4 \r\n", "Set-Cookie: c=3; HttpOnly\r\nSet-Cookie:  d = 4 \r\n",
       "c=3; d = 4"},
      // Any line holding the name counts; without "Set-Cookie:" but with ";" it gives an empty item.
      {"Set-Cookie: a=1\r\nX-Set-Cookie-Mode: x; y\r\n", "Set-Cookie: a=1\r\nX-Set-Cookie-Mode: x; y\r\n",
       "a=1; "},
      {"X-set-cookie-note: plain\r\n", "X-Set-Cookie-note: plain\r\n", "X-Set-Cookie-note: plain"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    const Text normalised = NormaliseSetCookieNames(c.headers);
    EXPECT_EQ(normalised.str(), c.normalised);
    EXPECT_EQ(CollectReceivedCookies(normalised).str(), c.received) << c.headers;
  }
}

}  // namespace
