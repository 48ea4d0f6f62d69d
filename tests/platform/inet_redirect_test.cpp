// Redirects through the WinInet layer: verbs, bodies, caps, and where they may lead.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "inet_client.h"
#include "platform/inet/test_hooks.h"
#include "tests/servers/test_server.h"

namespace {

std::string RequestLine(const std::string& raw) { return raw.substr(0, raw.find("\r\n")); }

class InetRedirectTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { certificates = std::make_unique<TestCertificates>(); }
  static void TearDownTestSuite() { certificates.reset(); }

  void SetUp() override {
    InternetTestSettings settings;
    settings.caFile = certificates->caFile();
    settings.connectTimeoutMs = 5000;
    settings.stallTimeoutMs = 5000;
    SetInternetTestSettings(settings);
    web.SetRoute("/end", "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nend");
    secure.SetRoute("/end", "HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\nsecure");
  }
  void TearDown() override { ResetInternetTestSettings(); }

  static std::string Redirect(int status, const std::string& location) {
    return "HTTP/1.1 " + std::to_string(status) + " Moved\r\nLocation: " + location +
           "\r\nContent-Length: 5\r\n\r\nmoved";
  }

  InetResult Send(const TestServer& server, const std::string& verb, const std::string& path,
                  std::optional<std::string> body = std::nullopt, DWORD extraFlags = 0) {
    InetRequest request;
    request.port = server.port();
    request.verb = verb;
    request.path = path;
    request.body = std::move(body);
    request.headers = "Accept: */*";
    request.flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES | extraFlags;
    if (&server == &secure) request.flags |= INTERNET_FLAG_SECURE;
    return RunInetRequest(request);
  }

  static std::unique_ptr<TestCertificates> certificates;
  TestServer web = TestServer::Http();
  TestServer secure = TestServer::Https(*certificates);
};

std::unique_ptr<TestCertificates> InetRedirectTest::certificates;

struct VerbCase {
  int status;
  const char* verb;
  const char* nextLine;  // request line of the second request
  bool bodyResent;
};

TEST_F(InetRedirectTest, VerbAndBodyAfterEachRedirectStatus) {
  const VerbCase cases[] = {
      {301, "POST", "GET /end HTTP/1.1", false}, {302, "POST", "GET /end HTTP/1.1", false},
      {303, "POST", "GET /end HTTP/1.1", false}, {307, "POST", "POST /end HTTP/1.1", true},
      {308, "POST", "POST /end HTTP/1.1", true}, {303, "PUT", "GET /end HTTP/1.1", false},
      {301, "PUT", "PUT /end HTTP/1.1", true},   {302, "GET", "GET /end HTTP/1.1", false},
  };
  for (const VerbCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.status) + " " + c.verb);
    web.ClearRequests();
    web.SetRoute("/start", Redirect(c.status, "/end"));
    bool withBody = std::string(c.verb) != "GET";
    InetResult result = Send(web, c.verb, "/start", withBody ? std::optional<std::string>("k=v") : std::nullopt);
    ASSERT_TRUE(result.sent);
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.body, "end");
    EXPECT_EQ(result.rawHeaders, "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\n") << "the final response's only";
    auto received = web.Requests();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(RequestLine(received[1]), c.nextLine);
    EXPECT_EQ(BodyOf(received[1]), c.bodyResent ? "k=v" : "");
    EXPECT_EQ(HeadOf(received[1]).find("Content-Length") != std::string::npos, c.bodyResent);
    EXPECT_NE(HeadOf(received[1]).find("\r\nAccept: */*\r\n"), std::string::npos) << "caller's lines again";
  }
}

TEST_F(InetRedirectTest, RelativeAndAbsoluteLocations) {
  web.SetRoute("/dir/a", Redirect(302, "b?x=1#frag"));
  web.SetRoute("/dir/b", Redirect(302, "http://localhost:" + std::to_string(web.port()) + "/end"));
  InetResult result = Send(web, "GET", "/dir/a");
  EXPECT_EQ(result.body, "end");
  auto received = web.Requests();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(RequestLine(received[1]), "GET /dir/b?x=1 HTTP/1.1");
  EXPECT_NE(received[2].find("\r\nHost: localhost:" + std::to_string(web.port()) + "\r\n"), std::string::npos);
}

TEST_F(InetRedirectTest, AtMostFiveRedirects) {
  for (int i = 1; i <= 6; ++i) {
    web.SetRoute("/r" + std::to_string(i), Redirect(302, i == 6 ? "/end" : "/r" + std::to_string(i + 1)));
  }
  InetResult five = Send(web, "GET", "/r2");  // r2 .. r6 then /end: five redirects
  EXPECT_TRUE(five.sent);
  EXPECT_EQ(five.body, "end");

  web.ClearRequests();
  InetResult six = Send(web, "GET", "/r1");
  EXPECT_FALSE(six.sent);
  EXPECT_EQ(six.sendError, ERROR_HTTP_REDIRECT_FAILED);
  EXPECT_TRUE(six.body.empty());
  EXPECT_EQ(web.Requests().size(), 6u);
}

TEST_F(InetRedirectTest, LoopEndsWithNothing) {
  web.SetRoute("/loop", Redirect(301, "/loop"));
  InetResult result = Send(web, "GET", "/loop");
  EXPECT_FALSE(result.sent);
  EXPECT_TRUE(result.body.empty());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(web.Requests().size(), 6u);
}

TEST_F(InetRedirectTest, OnlyHttpAndHttpsTargetsAreFollowed) {
  const std::string targets[] = {
      "file:///etc/passwd", "ftp://127.0.0.1:" + std::to_string(web.port()) + "/end",
      "gopher://127.0.0.1/", "FILE:///etc/hostname", "javascript:alert(1)", "http://[bad", "",
  };
  for (const std::string& target : targets) {
    SCOPED_TRACE(target);
    web.ClearRequests();
    web.SetRoute("/start", Redirect(302, target));
    InetResult result = Send(web, "GET", "/start");
    if (target.empty()) {  // an empty Location is not a redirect at all
      EXPECT_EQ(result.status, 302);
      continue;
    }
    EXPECT_FALSE(result.sent);
    EXPECT_TRUE(result.body.empty());
    EXPECT_EQ(web.Requests().size(), 1u) << "nothing else was contacted";
  }
}

TEST_F(InetRedirectTest, RedirectsOffOrWithoutLocationGiveTheRedirectItself) {
  web.SetRoute("/start", Redirect(302, "/end"));
  InetResult off = Send(web, "GET", "/start", std::nullopt, INTERNET_FLAG_NO_AUTO_REDIRECT);
  EXPECT_EQ(off.status, 302);
  EXPECT_EQ(off.body, "moved");
  web.SetRoute("/nowhere", "HTTP/1.1 301 Moved\r\nContent-Length: 2\r\n\r\nno");
  InetResult noLocation = Send(web, "GET", "/nowhere");
  EXPECT_EQ(noLocation.status, 301);
  EXPECT_EQ(noLocation.body, "no");
}

TEST_F(InetRedirectTest, PlainToSecureIsFollowedSecureToPlainIsNot) {
  web.SetRoute("/up", Redirect(302, "https://localhost:" + std::to_string(secure.port()) + "/end"));
  InetResult up = Send(web, "GET", "/up", std::nullopt, INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS);
  EXPECT_TRUE(up.sent);
  EXPECT_EQ(up.body, "secure");

  secure.SetRoute("/down", Redirect(302, "http://127.0.0.1:" + std::to_string(web.port()) + "/end"));
  web.ClearRequests();
  InetResult down = Send(secure, "GET", "/down");
  EXPECT_FALSE(down.sent);
  EXPECT_TRUE(down.body.empty());
  EXPECT_TRUE(web.Requests().empty());

  // Not even by way of a detour through another secure address.
  secure.SetRoute("/detour", Redirect(302, "/down"));
  EXPECT_FALSE(Send(secure, "GET", "/detour").sent);
  EXPECT_TRUE(web.Requests().empty());
}

}  // namespace
