// What a server receives from the WinInet layer, byte for byte.
#include <gtest/gtest.h>

#include "inet_client.h"
#include "tests/servers/quick_timeouts.h"
#include "tests/servers/test_server.h"

namespace {

const char kDefaults[] =
    "Accept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";

class InetRequestTest : public QuickTimeoutsTest {
 protected:
  InetRequestTest() : QuickTimeoutsTest(5000) {}
  void SetUp() override {
    QuickTimeoutsTest::SetUp();
    web.SetRoute("*", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
  }

  std::string Host() const { return "Host: 127.0.0.1:" + std::to_string(web.port()) + "\r\n"; }

  TestServer web = TestServer::Http();
};

struct ShapeCase {
  const char* name;
  const char* verb;
  const char* version;
  const char* path;
  const char* headers;
  std::optional<std::string> body;
  const char* requestLine;    // what the server must receive before the Host line
  const char* afterHost;      // and after it, up to the empty line
  const char* receivedBody;
};

TEST_F(InetRequestTest, SendsExactlyTheCallersRequest) {
  const ShapeCase cases[] = {
      {"plain GET with the page request's lines", "GET", "HTTP/1.1", "/song?id=7", kDefaults, std::nullopt,
       "GET /song?id=7 HTTP/1.1\r\n",
       "User-Agent: TestAgent/1.0\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
       "Content-Type: application/x-www-form-urlencoded\r\n",
       ""},
      {"POST with a body and the caller's content type", "POST", "HTTP/1.1", "/form", kDefaults, std::string("a=1"),
       "POST /form HTTP/1.1\r\n",
       "User-Agent: TestAgent/1.0\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
       "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n",
       "a=1"},
      {"POST without a body still states its length", "POST", "HTTP/1.1", "/form", "Accept: */*", std::nullopt,
       "POST /form HTTP/1.1\r\n", "User-Agent: TestAgent/1.0\r\nAccept: */*\r\nContent-Length: 0\r\n", ""},
      {"GET with a body, no content type of libcurl's own", "GET", "HTTP/1.1", "/q", "Accept: */*",
       std::string("x=\x01\xff", 4), "GET /q HTTP/1.1\r\n",
       "User-Agent: TestAgent/1.0\r\nAccept: */*\r\nContent-Length: 4\r\n", "x=\x01\xff"},
      {"HTTP/1.0 with a trailing empty line in the header text", "GET", "HTTP/1.0", "/a.mp3", "Accept: */*\r\n\r\n",
       std::nullopt, "GET /a.mp3 HTTP/1.0\r\n", "User-Agent: TestAgent/1.0\r\nAccept: */*\r\n", ""},
      {"no header text: no Accept line at all", "GET", "HTTP/1.1", "/", "", std::nullopt, "GET / HTTP/1.1\r\n",
       "User-Agent: TestAgent/1.0\r\n", ""},
      {"the caller's user agent line replaces the session's", "GET", "HTTP/1.1", "/",
       "User-Agent: Foo\r\nX-Order: 2\r\nAccept: text/html", std::nullopt, "GET / HTTP/1.1\r\n",
       "User-Agent: Foo\r\nX-Order: 2\r\nAccept: text/html\r\n", ""},
      {"an empty value is sent, a line without a name is not", "GET", "HTTP/1.1", "/", "X-Empty:\r\nnot a header\r\nX-B: b",
       std::nullopt, "GET / HTTP/1.1\r\n", "User-Agent: TestAgent/1.0\r\nX-Empty:\r\nX-B: b\r\n", ""},
      {"blanks and raw bytes in the path are escaped, the rest kept", "GET", "HTTP/1.1", "/a b/../\xe4?q=1&r=%41",
       "", std::nullopt, "GET /a%20b/../%E4?q=1&r=%41 HTTP/1.1\r\n", "User-Agent: TestAgent/1.0\r\n", ""},
      {"another verb", "DELETE", "HTTP/1.1", "/item", "", std::nullopt, "DELETE /item HTTP/1.1\r\n",
       "User-Agent: TestAgent/1.0\r\n", ""},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    web.ClearRequests();
    InetRequest request;
    request.port = web.port();
    request.verb = c.verb;
    request.version = c.version;
    request.path = c.path;
    request.headers = c.headers;
    request.body = c.body;
    request.flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES;
    InetResult result = RunInetRequest(request);
    ASSERT_TRUE(result.sent) << result.sendError;
    EXPECT_EQ(result.body, "ok");
    auto received = web.Requests();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(HeadOf(received[0]), std::string(c.requestLine) + Host() + c.afterHost + "\r\n");
    EXPECT_EQ(BodyOf(received[0]), std::string(c.receivedBody, c.body ? c.body->size() : 0));
  }
}

TEST_F(InetRequestTest, NoAgentMeansNoUserAgentLine) {
  InetRequest request;
  request.agent = "";
  request.port = web.port();
  ASSERT_TRUE(RunInetRequest(request).sent);
  EXPECT_EQ(HeadOf(web.Requests().at(0)), "GET / HTTP/1.1\r\n" + Host() + "\r\n");
}

TEST_F(InetRequestTest, LongHeaderTextArrivesWhole) {
  std::string longValue(20000, 'v');
  InetRequest request;
  request.port = web.port();
  request.headers = "X-Long: " + longValue + "\r\nX-After: 1";
  ASSERT_TRUE(RunInetRequest(request).sent);
  std::string head = HeadOf(web.Requests().at(0));
  EXPECT_NE(head.find("\r\nX-Long: " + longValue + "\r\nX-After: 1\r\n"), std::string::npos);
}

}  // namespace
