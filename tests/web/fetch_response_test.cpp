// What FetchWebPage makes of a response: body, raw headers, received and merged cookies.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fetch_fixture.h"
#include "web/fetch_web_page.h"

namespace {

struct CookieCase {
  const char* name;
  std::string setCookieLines;          // between the status line and Content-Length
  std::string normalisedLines;         // the same lines as responseHeaders gives them
  std::optional<std::string> cookies;  // nothing: not supplied
  std::string received;
  std::string cookiesAfter;
};

TEST_F(FetchWebPageTest, CollectsTheCookiesTheResponseSets) {
  const CookieCase cases[] = {
      {"mixed case, not supplied", "Set-Cookie: a=1; path=/\r\nset-cookie: b=2\r\n",
       "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n", std::nullopt, "a=1; b=2", ""},
      {"mixed case, supplied empty", "Set-Cookie: a=1; path=/\r\nset-cookie: b=2\r\n",
       "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n", std::string(), "a=1;b=2", "a=1; b=2"},
      {"merged into the caller's", "SET-COOKIE: a=1; HttpOnly\r\nSet-Cookie: b=2\r\n",
       "Set-Cookie: a=1; HttpOnly\r\nSet-Cookie: b=2\r\n", std::string("a=0; c=3"), "a=1;b=2", "a=1; b=2; c=3"},
      {"a deletion", "Set-Cookie: c=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT\r\n",
       "Set-Cookie: c=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT\r\n", std::string("c=3; d=4"), "c=deleted",
       "d=4"},
      {"none set", "", "", std::string("k=v"), "", "k=v"},
      {"a line that only mentions the name", "X-sET-cOOKIE-Mode: x; y\r\nSet-Cookie: a=1\r\n",
       "X-Set-Cookie-Mode: x; y\r\nSet-Cookie: a=1\r\n", std::nullopt, "; a=1", ""},
  };
  for (const CookieCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string head = "HTTP/1.1 200 OK\r\n" + c.setCookieLines + "Content-Length: 2\r\n\r\n";
    web.SetRoute("/c", head + "ok");
    std::optional<Text> cookies;
    if (c.cookies) cookies = Text(*c.cookies);
    Text received = "stale", responseHeaders;

    const Bytes body =
        FetchWebPage(web.Url("/c"), 0, Text(), cookies ? &*cookies : nullptr, &received, nullptr, &responseHeaders);

    EXPECT_EQ(AsString(body), "ok");
    EXPECT_EQ(received.str(), c.received);
    if (cookies) {
      EXPECT_EQ(cookies->str(), c.cookiesAfter);
    }
    EXPECT_EQ(responseHeaders.str(), "HTTP/1.1 200 OK\r\n" + c.normalisedLines + "Content-Length: 2\r\n\r\n");
  }
}

TEST_F(FetchWebPageTest, HeadersBeyondFiveThousandBytesArriveWhole) {
  std::string head = "HTTP/1.1 200 OK\r\n";
  for (char name : {'x', 'y', 'z'}) head += "Set-Cookie: " + std::string(1, name) + "=" + std::string(3000, name) + "; path=/\r\n";
  head += "Content-Length: 2\r\n\r\n";
  web.SetRoute("/long", head + "ok");

  Text cookies = "old=1", received, responseHeaders;
  const Bytes body = FetchWebPage(web.Url("/long"), 0, Text(), &cookies, &received, nullptr, &responseHeaders);

  EXPECT_EQ(AsString(body), "ok");
  EXPECT_EQ(responseHeaders.str(), head);
  const std::string x = "x=" + std::string(3000, 'x'), y = "y=" + std::string(3000, 'y'),
                    z = "z=" + std::string(3000, 'z');
  EXPECT_EQ(received.str(), x + ";" + y + ";" + z);
  EXPECT_EQ(cookies.str(), x + "; " + y + "; " + z + "; old=1");
}

struct BodyCase {
  const char* name;
  std::vector<ResponseStep> steps;
  std::string body;
};

TEST_F(FetchWebPageTest, ReturnsTheBodyAsRead) {
  const std::string pattern = PatternBytes(2600000);
  const BodyCase cases[] = {
      {"binary, zero bytes included",
       {ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n"), ResponseStep::Pattern(100000)},
       pattern.substr(0, 100000)},
      {"ended by closing, no length, several megabytes",
       {ResponseStep::Send("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n"), ResponseStep::Pattern(2600000)},
       pattern},
      {"ended by closing, no length",
       {ResponseStep::Send("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n"), ResponseStep::Pattern(5000)},
       pattern.substr(0, 5000)},
      {"chunked",
       {ResponseStep::Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n2\r\nde\r\n0\r\n\r\n")},
       "abcde"},
      {"cut short: what arrived",
       {ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n"), ResponseStep::Pattern(3000)},
       pattern.substr(0, 3000)},
      {"stalled past the time-out: what arrived",
       {ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n"), ResponseStep::Pattern(2048),
        ResponseStep::Sleep(4)},
       pattern.substr(0, 2048)},
      {"an error status still gives its body",
       {ResponseStep::Send("HTTP/1.1 500 Internal Server Error\r\nContent-Length: 4\r\n\r\noops")},
       "oops"},
      {"no body", {ResponseStep::Send("HTTP/1.1 204 No Content\r\n\r\n")}, ""},
      {"not HTTP at all", {ResponseStep::Send("hello\r\n\r\n")}, ""},
      {"closed without an answer", {ResponseStep::Reset()}, ""},
  };
  for (const BodyCase& c : cases) {
    SCOPED_TRACE(c.name);
    web.SetRoute("/b", c.steps);
    EXPECT_EQ(AsString(FetchWebPage(web.Url("/b"))), c.body);
  }
}

std::string Redirect(const std::string& location) {
  return "HTTP/1.1 302 Found\r\nLocation: " + location + "\r\nSet-Cookie: hop=1\r\nContent-Length: 5\r\n\r\nmoved";
}

TEST_F(FetchWebPageTest, RedirectsAreFollowedUnlessSwitchedOff) {
  web.SetRoute("/from", Redirect("/to"));
  web.SetRoute("/to", "HTTP/1.1 200 OK\r\nSet-Cookie: end=2\r\nContent-Length: 6\r\n\r\nlanded");

  Text received, responseHeaders;
  EXPECT_EQ(AsString(FetchWebPage(web.Url("/from"), 0, Text(), nullptr, &received, nullptr, &responseHeaders)),
            "landed");
  EXPECT_EQ(responseHeaders.str(), "HTTP/1.1 200 OK\r\nSet-Cookie: end=2\r\nContent-Length: 6\r\n\r\n");
  EXPECT_EQ(received.str(), "end=2");

  EXPECT_EQ(AsString(FetchWebPage(web.Url("/from"), 0, Text(), nullptr, &received, nullptr, &responseHeaders, true)),
            "moved");
  EXPECT_EQ(responseHeaders.str(), Redirect("/to").substr(0, Redirect("/to").size() - 5));
  EXPECT_EQ(received.str(), "hop=1");
}

TEST_F(FetchWebPageTest, RedirectsOutsideHttpOrInCirclesGiveNothing) {
  const std::string targets[] = {"file:///etc/passwd", "ftp://127.0.0.1:" + std::to_string(web.port()) + "/to",
                                 "/loop"};
  web.SetRoute("/loop", Redirect("/loop"));
  for (const std::string& target : targets) {
    SCOPED_TRACE(target);
    web.SetRoute("/start", Redirect(target));
    Text received = "stale", responseHeaders = "stale";
    EXPECT_TRUE(FetchWebPage(web.Url("/start"), 0, Text(), nullptr, &received, nullptr, &responseHeaders).empty());
    EXPECT_EQ(received.str(), "");
    EXPECT_EQ(responseHeaders.str(), "");
  }
}

}  // namespace
