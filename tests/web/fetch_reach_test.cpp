// Reaching servers: TLS with a test CA, a proxy that alone knows the host, and
// servers that are not there.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fetch_fixture.h"
#include "web/fetch_web_page.h"

namespace {

constexpr char kProxiedName[] = "song.mirovel.test";

class FetchReachTest : public FetchWebPageTest {
 protected:
  static void SetUpTestSuite() { certificates = std::make_unique<TestCertificates>(std::vector<std::string>{kProxiedName}); }
  static void TearDownTestSuite() { certificates.reset(); }

  void SetUp() override {
    FetchWebPageTest::SetUp();
    settings.caFile = certificates->caFile();
    SetInternetTestSettings(settings);
    web.SetRoute("*", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nplain");
    secure.SetRoute("*", "HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\nsecure");
  }

  static std::unique_ptr<TestCertificates> certificates;
  TestServer secure = TestServer::Https(*certificates);
};

std::unique_ptr<TestCertificates> FetchReachTest::certificates;

TEST_F(FetchReachTest, SecureLinksAreFetchedWithVerifiedCertificates) {
  const std::string port = std::to_string(secure.port());
  EXPECT_EQ(AsString(FetchWebPage("https://localhost:" + port + "/a")), "secure");
  EXPECT_EQ(AsString(FetchWebPage("HTTPS://LOCALHOST:" + port + "/a")), "secure");
  ASSERT_EQ(secure.Requests().size(), 2u);
  EXPECT_EQ(HeadOf(secure.Requests()[0]), "GET /a HTTP/1.1\r\nHost: localhost:" + port + "\r\n" + kDefaultAgentLine +
                                              kDefaultLines + "\r\n\r\n");

  // A plain link that the server sends on to a secure one is followed.
  web.SetRoute("/up", "HTTP/1.1 302 Found\r\nLocation: https://localhost:" + port + "/b\r\nContent-Length: 0\r\n\r\n");
  EXPECT_EQ(AsString(FetchWebPage(web.Url("/up"))), "secure");

  // Certificates from a CA that is not trusted are refused.
  TestCertificates otherCa;
  settings.caFile = otherCa.caFile();
  SetInternetTestSettings(settings);
  Text responseHeaders;
  EXPECT_TRUE(FetchWebPage("https://localhost:" + port + "/a", 0, Text(), nullptr, nullptr, nullptr, &responseHeaders)
                  .empty());
  EXPECT_EQ(responseHeaders.str(), "");
}

TEST_F(FetchReachTest, ASuppliedProxyCarriesPlainAndSecureLinks) {
  const std::string plainName = std::string(kProxiedName) + ":" + std::to_string(web.port());
  const std::string secureName = std::string(kProxiedName) + ":" + std::to_string(secure.port());
  TestServer proxy = TestServer::Proxy({{plainName, web.port()}, {secureName, secure.port()}});
  const Text address = "127.0.0.1:" + std::to_string(proxy.port());

  const Bytes plain =
      FetchWebPage("http://" + plainName + "/p?q=1", 1, "a=1", nullptr, nullptr, nullptr, nullptr, false, nullptr, address);
  EXPECT_EQ(AsString(plain), "plain");
  auto atProxy = proxy.Requests();
  ASSERT_EQ(atProxy.size(), 1u);
  EXPECT_EQ(HeadOf(atProxy[0]), "POST http://" + plainName + "/p?q=1 HTTP/1.1\r\nHost: " + plainName + "\r\n" +
                                    kDefaultAgentLine + "Proxy-Connection: Keep-Alive\r\n" + kDefaultLines +
                                    "\r\nContent-Length: 3\r\n\r\n");
  EXPECT_EQ(BodyOf(atProxy[0]), "a=1");

  proxy.ClearRequests();
  const Bytes tunnelled =
      FetchWebPage("https://" + secureName + "/s", 0, Text(), nullptr, nullptr, nullptr, nullptr, false, nullptr, address);
  EXPECT_EQ(AsString(tunnelled), "secure");
  atProxy = proxy.Requests();
  ASSERT_EQ(atProxy.size(), 1u);
  EXPECT_EQ(atProxy[0].substr(0, atProxy[0].find("\r\n")), "CONNECT " + secureName + " HTTP/1.1");
  EXPECT_EQ(HeadOf(secure.Requests().at(0)),
            "GET /s HTTP/1.1\r\nHost: " + secureName + "\r\n" + kDefaultAgentLine + kDefaultLines + "\r\n\r\n");

  // Without the proxy the name resolves nowhere.
  EXPECT_TRUE(FetchWebPage("http://" + plainName + "/p").empty());
}

TEST_F(FetchWebPageTest, NothingToReachGivesEmptyBytes) {
  int closedPort = 0;
  {
    TestServer gone = TestServer::Http();
    closedPort = gone.port();
  }
  const std::string links[] = {"", "http://127.0.0.1:" + std::to_string(closedPort) + "/", "http://bad host/",
                               "http://shop.test:99999/"};
  for (const std::string& link : links) {
    SCOPED_TRACE(link);
    Text cookies = "k=v", responseHeaders = "stale";
    EXPECT_TRUE(FetchWebPage(link, 0, Text(), &cookies, nullptr, nullptr, &responseHeaders).empty());
    EXPECT_EQ(cookies.str(), "k=v");
  }
}

}  // namespace
