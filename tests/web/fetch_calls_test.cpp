// Which WinInet calls FetchWebPage makes, with which arguments, in which order,
// and what it leaves alone when a handle cannot be opened. Run against the
// recording stand-in; what a server sees is checked in fetch_web_page_test.cpp.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "recording_wininet.h"
#include "web/fetch_web_page.h"

namespace {

using Calls = std::vector<std::string>;

const std::string kDefaultHeaders =
    "Accept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";

std::string SendLine(const std::string& headers) {
  return "HttpSendRequestA(request, \"" + headers + "\", " + std::to_string(headers.size()) + ", null, 0)";
}

TEST(FetchCalls, LinkAloneOpensSendsReadsQueriesAndClosesInOrder) {
  WinInetScript script;
  script.body = std::string(2500, 'x');
  script.contentLength = 2500;
  script.rawHeaders = "HTTP/1.1 200 OK\r\nContent-Length: 2500\r\n\r\n";
  StartRecording(script);

  const Bytes body = FetchWebPage("http://Shop.test/A?b=1");

  EXPECT_EQ(std::string(body.view()), script.body);
  const Calls expected = {
      "InternetOpenA(\"Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\", 1, null, null, 0)",
      "InternetConnectA(internet, \"shop.test\", 80, null, null, 3, 0, 0)",
      "HttpOpenRequestA(connection, \"GET\", \"/A?b=1\", \"HTTP/1.1\", null, null, 0x80004010, 0)",
      SendLine(kDefaultHeaders),
      "HttpQueryInfoA(request, 0x20000005, 4, null)",
      "InternetReadFile(request, 1024) = 1024",
      "InternetReadFile(request, 1024) = 1024",
      "InternetReadFile(request, 1024) = 452",
      "InternetReadFile(request, 1024) = 0",
      "HttpQueryInfoA(request, 0x16, 5000, null)",
      "InternetCloseHandle(request)",
      "InternetCloseHandle(connection)",
      "InternetCloseHandle(internet)",
  };
  EXPECT_EQ(RecordedCalls(), expected);
}

TEST(FetchCalls, TheAgentIsOneLineEvenWhenReadFromSeveral) {
  const struct {
    const char* headers;
    const char* agent;
  } cases[] = {{"user-agent: Foo\r\nX: 1", "Foo"}, {"X-User-Agent:\r\nY: z", ""}, {"User-Agent: Foo", "Foo"}};
  for (const auto& c : cases) {
    StartRecording(WinInetScript());
    Text headers = c.headers;
    FetchWebPage("http://s.test/", 0, Text(), nullptr, nullptr, &headers);
    ASSERT_FALSE(RecordedCalls().empty());
    EXPECT_EQ(RecordedCalls()[0], std::string("InternetOpenA(\"") + c.agent + "\", 1, null, null, 0)") << c.headers;
  }
}

struct OpeningCase {
  const char* url;
  bool cookiesSupplied;
  bool noRedirect;
  std::optional<Text> proxy;
  const char* open;
  const char* connect;
  const char* request;
};

TEST(FetchCalls, ProxyPortAndFlagsFollowTheArguments) {
  const char* agent = "\"Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\"";
  const OpeningCase cases[] = {
      {"http://s.test/", false, false, std::nullopt, ", 1, null, null, 0)", "\"s.test\", 80",
       "\"GET\", \"/\", \"HTTP/1.1\", null, null, 0x80004010, 0)"},
      {"HTTPS://s.test/x", false, false, std::nullopt, ", 1, null, null, 0)", "\"s.test\", 443",
       "\"GET\", \"/x\", \"HTTP/1.1\", null, null, 0x80800010, 0)"},
      {"http://s.test:8080/", true, true, std::nullopt, ", 1, null, null, 0)", "\"s.test\", 8080",
       "\"GET\", \"/\", \"HTTP/1.1\", null, null, 0x80284010, 0)"},
      {"https://s.test/", true, true, std::nullopt, ", 1, null, null, 0)", "\"s.test\", 443",
       "\"GET\", \"/\", \"HTTP/1.1\", null, null, 0x80A80010, 0)"},
      // A plain link takes the proxy as its http entry; a secure one as a bare entry.
      {"http://s.test/", false, false, Text("p.test:3128"), ", 3, \"http=p.test:3128\", \"\", 0)", "\"s.test\", 80",
       "\"GET\", \"/\", \"HTTP/1.1\", null, null, 0x80004010, 0)"},
      {"https://s.test/", false, false, Text("p.test:3128"), ", 3, \"p.test:3128\", \"\", 0)", "\"s.test\", 443",
       "\"GET\", \"/\", \"HTTP/1.1\", null, null, 0x80800010, 0)"},
      {"s.test", false, false, Text(), ", 3, \"http=\", \"\", 0)", "\"s.test\", 80",
       "\"GET\", \"/\", \"HTTP/1.1\", null, null, 0x80004010, 0)"},
  };
  for (const OpeningCase& c : cases) {
    StartRecording(WinInetScript());
    Text cookies;
    FetchWebPage(c.url, 0, Text(), c.cookiesSupplied ? &cookies : nullptr, nullptr, nullptr, nullptr, c.noRedirect,
                 nullptr, c.proxy);
    const Calls& calls = RecordedCalls();
    ASSERT_GE(calls.size(), 3u) << c.url;
    EXPECT_EQ(calls[0], std::string("InternetOpenA(") + agent + c.open) << c.url;
    EXPECT_EQ(calls[1], std::string("InternetConnectA(internet, ") + c.connect + ", null, null, 3, 0, 0)") << c.url;
    EXPECT_EQ(calls[2], std::string("HttpOpenRequestA(connection, ") + c.request) << c.url;
  }
}

struct FailureCase {
  const char* name;
  WinInetScript script;
  const char* url;
  Calls calls;
};

TEST(FetchCalls, AHandleThatCannotBeOpenedClosesTheOpenOnesAndChangesNothing) {
  const std::string open = "InternetOpenA(\"Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\", 1, null, null, 0)";
  const std::string connect = "InternetConnectA(internet, \"s.test\", 80, null, null, 3, 0, 0)";
  const std::string request = "HttpOpenRequestA(connection, \"POST\", \"/\", \"HTTP/1.1\", null, null, 0x80084010, 0)";
  WinInetScript openFails, connectFails, requestFails;
  openFails.openFails = true;
  connectFails.connectFails = true;
  requestFails.requestFails = true;
  const FailureCase cases[] = {
      {"open", openFails, "http://s.test/", {open}},
      {"connect", connectFails, "http://s.test/", {open, connect, "InternetCloseHandle(internet)"}},
      {"request",
       requestFails,
       "http://s.test/",
       {open, connect, request, "InternetCloseHandle(connection)", "InternetCloseHandle(internet)"}},
      // A port beyond 16 bits would reach another port once cut down.
      {"port", WinInetScript(), "http://s.test:65616/", {open, "InternetCloseHandle(internet)"}},
      {"negative port", WinInetScript(), "http://s.test:-1/", {open, "InternetCloseHandle(internet)"}},
  };
  for (const FailureCase& c : cases) {
    StartRecording(c.script);
    Text cookies = "k=v", received = "r", requestHeaders = "X-A: 1", responseHeaders = "h";
    Bytes postBytes;
    const Bytes body = FetchWebPage(c.url, 1, "a=1", &cookies, &received, &requestHeaders, &responseHeaders, false,
                                    &postBytes);
    EXPECT_TRUE(body.empty()) << c.name;
    EXPECT_EQ(RecordedCalls(), c.calls) << c.name;
    EXPECT_EQ(cookies.str(), "k=v") << c.name;
    EXPECT_EQ(received.str(), "r") << c.name;
    EXPECT_EQ(requestHeaders.str(), "X-A: 1") << c.name;
    EXPECT_EQ(responseHeaders.str(), "h") << c.name;
    EXPECT_TRUE(postBytes.empty()) << c.name;
  }
}

TEST(FetchCalls, HeadersTooLongForTheFirstBufferAreQueriedAgainWhole) {
  WinInetScript script;
  const std::string filler = "X-Filler: " + std::string(6000, 'f') + "\r\n";
  script.rawHeaders = "HTTP/1.1 200 OK\r\n" + filler + "set-cookie: late=1; path=/\r\n\r\n";
  StartRecording(script);

  Text received, responseHeaders;
  FetchWebPage("http://s.test/", 0, Text(), nullptr, &received, nullptr, &responseHeaders);

  EXPECT_EQ(responseHeaders.str(), "HTTP/1.1 200 OK\r\n" + filler + "Set-Cookie: late=1; path=/\r\n\r\n");
  EXPECT_EQ(received.str(), "late=1");
  const Calls& calls = RecordedCalls();
  const std::string retry =
      "HttpQueryInfoA(request, 0x16, " + std::to_string(script.rawHeaders.size() + 1) + ", null)";
  ASSERT_GE(calls.size(), 5u);
  EXPECT_EQ(calls[calls.size() - 5], "HttpQueryInfoA(request, 0x16, 5000, null)");
  EXPECT_EQ(calls[calls.size() - 4], retry);
}

TEST(FetchCalls, NoResponseLeavesHeadersAndCookiesEmpty) {
  StartRecording(WinInetScript());
  Text cookies = "k=v", received = "r", responseHeaders = "h";
  const Bytes body = FetchWebPage("http://s.test/", 0, Text(), &cookies, &received, nullptr, &responseHeaders);
  EXPECT_TRUE(body.empty());
  EXPECT_EQ(responseHeaders.str(), "");
  EXPECT_EQ(received.str(), "");
  EXPECT_EQ(cookies.str(), "k=v");
}

}  // namespace
