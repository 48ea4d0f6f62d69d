// How the WinInet layer hands a response back: headers, body, and the ways a body ends.
#include <gtest/gtest.h>

#include <vector>

#include "inet_client.h"
#include "tests/servers/quick_timeouts.h"
#include "tests/servers/test_server.h"

namespace {

class InetResponseTest : public QuickTimeoutsTest {
 protected:

  InetResult Get(const std::string& path, DWORD readSize = 1024) {
    InetRequest request;
    request.port = web.port();
    request.path = path;
    request.readSize = readSize;
    request.flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES;
    return RunInetRequest(request);
  }

  TestServer web = TestServer::Http();
};

TEST_F(InetResponseTest, RawHeadersAreTheFinalResponsesLinesEndedByCrlf) {
  web.SetRoute("/h", std::vector<ResponseStep>{
                         ResponseStep::Send("HTTP/1.1 100 Continue\r\nX-Interim: 1\r\n\r\n"),
                         ResponseStep::Send("HTTP/1.1 200 OK\r\nsEt-CoOkIe: a=1; path=/\n"
                                            "Set-Cookie: b=2\r\nX-Folded: one\r\n\r\nbody")});
  InetResult result = Get("/h");
  ASSERT_TRUE(result.sent);
  EXPECT_EQ(result.status, 200);
  // Letter case and order stay as the server wrote them; a bare LF becomes CRLF.
  EXPECT_EQ(result.rawHeaders,
            "HTTP/1.1 200 OK\r\nsEt-CoOkIe: a=1; path=/\r\nSet-Cookie: b=2\r\nX-Folded: one\r\n\r\n");
  EXPECT_EQ(result.body, "body");
}

TEST_F(InetResponseTest, HeaderQueryNamesTheSizeItNeeds) {
  std::string longLine = "X-Long: " + std::string(9000, 'h');
  web.SetRoute("/long", "HTTP/1.1 200 OK\r\n" + longLine + "\r\nContent-Length: 0\r\n\r\n");
  std::string expected = "HTTP/1.1 200 OK\r\n" + longLine + "\r\nContent-Length: 0\r\n\r\n";

  HINTERNET internet = InternetOpenA("t", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  HINTERNET connection = InternetConnectA(internet, "127.0.0.1", static_cast<INTERNET_PORT>(web.port()), nullptr,
                                          nullptr, INTERNET_SERVICE_HTTP, 0, 0);
  HINTERNET request = HttpOpenRequestA(connection, "GET", "/long", "HTTP/1.1", nullptr, nullptr, 0, 0);
  ASSERT_TRUE(HttpSendRequestA(request, "", 0, nullptr, 0));

  std::vector<char> buffer(5000, ' ');
  DWORD length = 5000;
  EXPECT_FALSE(HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(length, expected.size() + 1);
  EXPECT_EQ(std::string(buffer.data(), 5), "     ") << "a failed query writes nothing";

  buffer.assign(length, ' ');
  ASSERT_TRUE(HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr));
  EXPECT_EQ(length, expected.size());
  EXPECT_EQ(std::string(buffer.data()), expected) << "NUL-terminated";

  char text[16];
  length = sizeof text;
  ASSERT_TRUE(HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, text, &length, nullptr));
  EXPECT_STREQ(text, "0");
  InternetCloseHandle(request);
  InternetCloseHandle(connection);
  InternetCloseHandle(internet);
}

struct BodyCase {
  const char* name;
  std::vector<ResponseStep> steps;
  bool sent;
  std::string body;
  bool readOk;  // the end was reported as the end, not as a failure
  int status;
};

TEST_F(InetResponseTest, BodiesEndAsTheyEnd) {
  const std::string big = PatternBytes(300000);
  const BodyCase cases[] = {
      {"whole body by length", {ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 300000\r\n\r\n"),
                                ResponseStep::Pattern(300000)},
       true, big, true, 200},
      {"whole body until close", {ResponseStep::Send("HTTP/1.0 200 OK\r\n\r\n"), ResponseStep::Pattern(300000)},
       true, big, true, 200},
      {"chunked body", {ResponseStep::Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                           "3\r\nabc\r\n2\r\nde\r\n0\r\n\r\n")},
       true, "abcde", true, 200},
      {"error status keeps its body", {ResponseStep::Send("HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\ngone")},
       true, "gone", true, 404},
      {"body cut short of its length",
       {ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 300000\r\n\r\n"), ResponseStep::Pattern(1000)},
       true, big.substr(0, 1000), false, 200},
      {"server stalls mid-body",
       {ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhalf"), ResponseStep::Sleep(4)},
       true, "half", false, 200},
      {"connection reset mid-body",
       {ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhalf"), ResponseStep::Sleep(0.2),
        ResponseStep::Reset()},
       true, "half", false, 200},
      {"server says nothing", {ResponseStep::Sleep(4)}, false, "", false, 0},
      {"server closes without an answer", {}, false, "", false, 0},
      {"garbage instead of a status line", {ResponseStep::Send("hello there\r\n\r\n")}, false, "", false, 0},
  };
  for (const BodyCase& c : cases) {
    SCOPED_TRACE(c.name);
    web.SetRoute("/b", c.steps);
    InetResult result = Get("/b");
    EXPECT_EQ(result.sent, c.sent);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.body.size(), c.body.size());
    EXPECT_TRUE(result.body == c.body);
    EXPECT_EQ(result.readOk, c.readOk);
  }
}

TEST_F(InetResponseTest, ReadsNeverExceedTheRequestedCount) {
  web.SetRoute("/b", std::vector<ResponseStep>{ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 70000\r\n\r\n"),
                                               ResponseStep::Pattern(70000)});
  for (DWORD size : {1u, 7u, 1024u, 1u << 20}) {
    SCOPED_TRACE(size);
    InetResult result = Get("/b", size);  // the helper checks each read against size
    EXPECT_TRUE(result.body == PatternBytes(70000));
  }
}

TEST_F(InetResponseTest, CallsOnBadHandlesFailCleanly) {
  DWORD read = 99, length = 10;
  char buffer[10];
  int notAHandle = 0;
  EXPECT_FALSE(InternetReadFile(&notAHandle, buffer, sizeof buffer, &read));
  EXPECT_EQ(read, 0u);
  EXPECT_FALSE(HttpQueryInfoA(nullptr, HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr));
  EXPECT_FALSE(HttpSendRequestA(&notAHandle, "", 0, nullptr, 0));
  EXPECT_FALSE(InternetCloseHandle(&notAHandle));
  EXPECT_EQ(InternetConnectA(&notAHandle, "h", 80, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0), nullptr);

  HINTERNET internet = InternetOpenA("t", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  ASSERT_NE(internet, nullptr);
  for (const char* host : {"", "a/b", "a b", "a@b", "a?b", "a#b", "[::1]x"}) {
    EXPECT_EQ(InternetConnectA(internet, host, 80, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0), nullptr) << host;
  }
  EXPECT_EQ(InternetConnectA(internet, nullptr, 80, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0), nullptr);
  EXPECT_EQ(InternetConnectA(internet, "h", 80, nullptr, nullptr, 1, 0, 0), nullptr) << "not HTTP";
  HINTERNET connection = InternetConnectA(internet, "127.0.0.1", static_cast<INTERNET_PORT>(web.port()), nullptr,
                                          nullptr, INTERNET_SERVICE_HTTP, 0, 0);
  EXPECT_EQ(HttpOpenRequestA(connection, "GE T", "/", nullptr, nullptr, nullptr, 0, 0), nullptr);
  HINTERNET request = HttpOpenRequestA(connection, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
  ASSERT_NE(request, nullptr);
  EXPECT_FALSE(InternetReadFile(request, buffer, sizeof buffer, &read)) << "nothing sent yet";
  EXPECT_FALSE(HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr));

  // Parents first: the request stays usable and closes cleanly afterwards.
  EXPECT_TRUE(InternetCloseHandle(internet));
  EXPECT_TRUE(InternetCloseHandle(connection));
  web.SetRoute("/", "HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\nx");
  EXPECT_TRUE(HttpSendRequestA(request, nullptr, 0, nullptr, 0));
  EXPECT_TRUE(InternetCloseHandle(request));
  EXPECT_FALSE(InternetCloseHandle(request)) << "closed twice";
}

TEST_F(InetResponseTest, ProxySessionNeedsAUsableProxy) {
  for (const char* list : {"", "   ", "http=", ";;", "ftp=proxy:21"}) {
    EXPECT_EQ(InternetOpenA("t", INTERNET_OPEN_TYPE_PROXY, list, "", 0), nullptr) << list;
  }
  EXPECT_EQ(InternetOpenA("t", INTERNET_OPEN_TYPE_PROXY, nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(InternetOpenA("t", 2, nullptr, nullptr, 0), nullptr) << "unknown access type";
}

TEST_F(InetResponseTest, UnreachableServerFailsTheSend) {
  int closedPort;
  {
    TestServer gone = TestServer::Http();
    closedPort = gone.port();
  }
  InetRequest request;
  request.port = closedPort;
  InetResult result = RunInetRequest(request);
  EXPECT_TRUE(result.opened);
  EXPECT_FALSE(result.sent);
  EXPECT_EQ(result.sendError, ERROR_INTERNET_CANNOT_CONNECT);
  EXPECT_TRUE(result.body.empty());
  EXPECT_FALSE(result.readOk);
}

}  // namespace
