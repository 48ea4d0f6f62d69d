// DownloadUrl against a loopback server: the request it sends and the outcome it reports.
#include <gtest/gtest.h>

#include <vector>

#include "download/download_url.h"
#include "platform/inet/crack_url.h"
#include "tests/servers/quick_timeouts.h"
#include "tests/servers/test_server.h"

namespace {

class DownloadUrlTest : public QuickTimeoutsTest {
 protected:
  TestServer web = TestServer::Http();
};

TEST_F(DownloadUrlTest, SendsTheAudioRequestShape) {
  web.SetRoute("/a.mp3?x=1", "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nmp3");
  DownloadOutcome outcome;
  Bytes data = DownloadUrl(Text(web.Url("/a.mp3?x=1#ignored")), &outcome);
  EXPECT_EQ(std::string(data.view()), "mp3");
  ASSERT_EQ(web.Requests().size(), 1u);
  EXPECT_EQ(web.Requests()[0], "GET /a.mp3?x=1 HTTP/1.0\r\nHost: 127.0.0.1:" + std::to_string(web.port()) +
                                   "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"
                                   "Accept: */*\r\n\r\n");
}

struct OutcomeCase {
  const char* name;
  std::vector<ResponseStep> steps;
  bool reached;
  int status;
  long long announced;
  bool complete;
  std::string data;
};

TEST_F(DownloadUrlTest, ReportsHowTheDownloadEnded) {
  const OutcomeCase cases[] = {
      {"whole file", {ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello")}, true, 200, 5, true,
       "hello"},
      {"no length, ends at close", {ResponseStep::Send("HTTP/1.0 200 OK\r\n\r\nhello")}, true, 200, -1, true, "hello"},
      {"error page", {ResponseStep::Send("HTTP/1.1 503 Busy\r\nContent-Length: 4\r\n\r\nbusy")}, true, 503, 4, true,
       "busy"},
      {"cut short", {ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhello")}, true, 200, 10, false,
       "hello"},
      {"stalls", {ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhello"), ResponseStep::Sleep(3)},
       true, 200, 10, false, "hello"},
      {"redirected", {ResponseStep::Send("HTTP/1.1 302 Found\r\nLocation: /song\r\nContent-Length: 0\r\n\r\n")}, true,
       200, 4, true, "song"},
      {"redirected to a file", {ResponseStep::Send("HTTP/1.1 302 Found\r\nLocation: file:///etc/passwd\r\n\r\n")},
       false, 0, -1, false, ""},
      {"no answer", {}, false, 0, -1, false, ""},
  };
  web.SetRoute("/song", "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nsong");
  for (const OutcomeCase& c : cases) {
    SCOPED_TRACE(c.name);
    web.SetRoute("/case", c.steps);
    DownloadOutcome outcome;
    outcome.status = 12345;  // stale values must not survive
    Bytes data = DownloadUrl(Text(web.Url("/case")), &outcome);
    EXPECT_EQ(outcome.reached, c.reached);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.announcedLength, c.announced);
    EXPECT_EQ(outcome.complete, c.complete);
    EXPECT_EQ(std::string(data.view()), c.data);
  }
}

TEST_F(DownloadUrlTest, RefusesWhatIsNotAWebAddress) {
  for (const char* address : {"", "ftp://127.0.0.1/a", "file:///etc/passwd", "127.0.0.1/a.mp3", "http://",
                              "http://a b/", "http://host:99999/", "#http://127.0.0.1/"}) {
    DownloadOutcome outcome;
    EXPECT_TRUE(DownloadUrl(Text(address), &outcome).empty()) << address;
    EXPECT_FALSE(outcome.reached) << address;
  }
  EXPECT_TRUE(web.Requests().empty());
}

TEST_F(DownloadUrlTest, ProgressComesWhileDataFlowsAndWhileItWaits) {
  web.SetRoute("/slow", std::vector<ResponseStep>{
                            ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 200000\r\n\r\n"),
                            ResponseStep::Pattern(100000), ResponseStep::Sleep(0.6), ResponseStep::Pattern(100000)});
  std::vector<std::pair<long long, long long>> calls;
  DownloadOutcome outcome;
  Bytes data = DownloadUrl(Text(web.Url("/slow")), &outcome,
                           [&](long long received, long long total) { calls.emplace_back(received, total); });
  EXPECT_TRUE(outcome.complete);
  EXPECT_TRUE(std::string(data.view()) == PatternBytes(100000) + PatternBytes(100000));
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back(), std::make_pair(200000LL, 200000LL));
  int duringPause = 0;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (i > 0) {
      EXPECT_GE(calls[i].first, calls[i - 1].first);
    }
    if (calls[i].first == 100000) ++duringPause;
  }
  EXPECT_GE(duringPause, 2) << "the pause was reported, not silent";
}

TEST(CrackUrlTest, TakesAddressesApart) {
  struct Case {
    const char* address;
    bool secure;
    const char* host;
    int port;
    const char* user;
    const char* password;
    const char* path;
  } cases[] = {
      {"http://example.com", false, "example.com", 80, "", "", "/"},
      {"HTTPS://Example.com/a?b=c", true, "Example.com", 443, "", "", "/a?b=c"},
      {"  http://h:8080?q=1 ", false, "h", 8080, "", "", "/?q=1"},
      {"http://u:p@h/x", false, "h", 80, "u", "p", "/x"},
      {"http://u@h/x", false, "h", 80, "u", "", "/x"},
      {"http://[::1]:81/", false, "::1", 81, "", "", "/"},
      {"http://h/a/./b/../c?d=/../e", false, "h", 80, "", "", "/a/c?d=/../e"},
      {"http://h/a b/\xe6\xad\x8c.mp3", false, "h", 80, "", "", "/a b/\xe6\xad\x8c.mp3"},
      {"http://h/a/..", false, "h", 80, "", "", "/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    auto url = CrackUrl(c.address);
    ASSERT_TRUE(url.has_value());
    EXPECT_EQ(url->secure, c.secure);
    EXPECT_EQ(url->host, c.host);
    EXPECT_EQ(url->port, c.port);
    EXPECT_EQ(url->userName, c.user);
    EXPECT_EQ(url->password, c.password);
    EXPECT_EQ(url->pathWithQuery, c.path);
  }
  for (const char* bad : {"", "http://", "http:///x", "ftp://h/", "http://h:0/", "http://h:65536/", "http://h:8x/",
                          "http://a:b@/x", "http://[::1/", "http://h\x01/", "mailto:a@b"}) {
    EXPECT_FALSE(CrackUrl(bad).has_value()) << bad;
  }
}

}  // namespace
