// How requests reach servers: certificates, proxies, the environment, the cookie store.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "inet_client.h"
#include "platform/inet/proxy_choice.h"
#include "platform/inet/test_hooks.h"
#include "tests/servers/test_server.h"

namespace {

const char kOk[] = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
const char kProxiedName[] = "only-proxy.test";  // no resolver but the test proxy knows it

std::string RequestLine(const std::string& raw) { return raw.substr(0, raw.find("\r\n")); }

class InetReachTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { certificates = std::make_unique<TestCertificates>(std::vector<std::string>{kProxiedName}); }
  static void TearDownTestSuite() { certificates.reset(); }

  void SetUp() override {
    settings.caFile = certificates->caFile();
    settings.connectTimeoutMs = 5000;
    settings.stallTimeoutMs = 5000;
    SetInternetTestSettings(settings);
    ClearInternetCookieStore();
    web.SetRoute("*", kOk);
    secure.SetRoute("*", kOk);
  }
  void TearDown() override {
    ResetInternetTestSettings();
    ClearInternetCookieStore();
  }

  InetRequest To(const TestServer& server, const std::string& host = "127.0.0.1") const {
    InetRequest request;
    request.host = host;
    request.port = server.port();
    request.headers = "Accept: */*";
    if (&server == &secure) request.flags |= INTERNET_FLAG_SECURE;
    return request;
  }

  static std::unique_ptr<TestCertificates> certificates;
  InternetTestSettings settings;
  TestServer web = TestServer::Http();
  TestServer secure = TestServer::Https(*certificates);
};

std::unique_ptr<TestCertificates> InetReachTest::certificates;

TEST_F(InetReachTest, CertificatesAreVerified) {
  InetResult trusted = RunInetRequest(To(secure, "localhost"));
  EXPECT_TRUE(trusted.sent);
  EXPECT_EQ(trusted.body, "ok");

  // The certificate does not name this host.
  InetResult wrongName = RunInetRequest(To(secure, "127.0.0.2"));
  EXPECT_FALSE(wrongName.sent);

  TestCertificates otherCa;
  for (const std::string& ca : {std::string(), otherCa.caFile()}) {
    SCOPED_TRACE(ca.empty() ? "system CAs" : "another CA");
    InternetTestSettings untrusted = settings;
    untrusted.caFile = ca;
    SetInternetTestSettings(untrusted);
    InetResult result = RunInetRequest(To(secure));
    EXPECT_FALSE(result.sent);
    EXPECT_EQ(result.sendError, ERROR_INTERNET_SEC_CERT_ERRORS);
    EXPECT_TRUE(result.body.empty());
  }
}

TEST_F(InetReachTest, ProxyListCarriesPlainAndSecureRequests) {
  const std::string plainName = std::string(kProxiedName) + ":" + std::to_string(web.port());
  const std::string secureName = std::string(kProxiedName) + ":" + std::to_string(secure.port());
  TestServer proxy = TestServer::Proxy({{plainName, web.port()}, {secureName, secure.port()}});
  const std::string address = "127.0.0.1:" + std::to_string(proxy.port());

  InetRequest plain = To(web, kProxiedName);
  plain.accessType = INTERNET_OPEN_TYPE_PROXY;
  plain.proxy = "http=" + address;
  plain.path = "/p?q=1";
  plain.verb = "POST";
  plain.body = "a=1";
  InetResult plainResult = RunInetRequest(plain);
  ASSERT_TRUE(plainResult.sent) << plainResult.sendError;
  EXPECT_EQ(plainResult.body, "ok");
  auto atProxy = proxy.Requests();
  ASSERT_EQ(atProxy.size(), 1u);
  EXPECT_EQ(HeadOf(atProxy[0]), "POST http://" + plainName + "/p?q=1 HTTP/1.1\r\nHost: " + plainName +
                                    "\r\nUser-Agent: TestAgent/1.0\r\nProxy-Connection: Keep-Alive\r\n"
                                    "Accept: */*\r\nContent-Length: 3\r\n\r\n");
  EXPECT_EQ(BodyOf(atProxy[0]), "a=1");
  EXPECT_EQ(RequestLine(web.Requests().at(0)), "POST /p?q=1 HTTP/1.1");

  proxy.ClearRequests();
  InetRequest tunnelled = To(secure, kProxiedName);
  tunnelled.accessType = INTERNET_OPEN_TYPE_PROXY;
  tunnelled.proxy = address;  // a bare entry serves secure requests too
  InetResult tunnelResult = RunInetRequest(tunnelled);
  ASSERT_TRUE(tunnelResult.sent) << tunnelResult.sendError;
  EXPECT_EQ(tunnelResult.body, "ok");
  atProxy = proxy.Requests();
  ASSERT_EQ(atProxy.size(), 1u);
  EXPECT_EQ(RequestLine(atProxy[0]), "CONNECT " + secureName + " HTTP/1.1");
  EXPECT_EQ(HeadOf(secure.Requests().at(0)),
            "GET / HTTP/1.1\r\nHost: " + secureName + "\r\nUser-Agent: TestAgent/1.0\r\nAccept: */*\r\n\r\n");
}

TEST_F(InetReachTest, HostsWithoutAProxyEntryGoDirect) {
  TestServer proxy = TestServer::Proxy({});
  const std::string address = "127.0.0.1:" + std::to_string(proxy.port());
  struct Case {
    const char* name;
    std::string list;
    std::string bypass;
    bool secureRequest;
    std::string host;
  } cases[] = {
      {"only an https entry, plain request", "https=" + address, "", false, kProxiedName},
      {"only an http entry, secure request", "http=" + address, "", true, kProxiedName},
      {"bypassed by wildcard", "http=" + address, "*.test", false, kProxiedName},
      {"loopback name never proxied", "http=" + address, "", false, "localhost"},
      {"loopback address never proxied", address, "", true, "127.0.0.1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    proxy.ClearRequests();
    InetRequest request = To(c.secureRequest ? secure : web, c.host);
    request.accessType = INTERNET_OPEN_TYPE_PROXY;
    request.proxy = c.list;
    request.bypass = c.bypass;
    InetResult result = RunInetRequest(request);
    EXPECT_TRUE(proxy.Requests().empty());
    // Direct to a name only the proxy knows fails; direct to loopback works.
    EXPECT_EQ(result.sent, c.host == "localhost" || c.host == "127.0.0.1");
  }
}

TEST_F(InetReachTest, ProxyListSyntax) {
  struct Case {
    const char* list;
    const char* http;
    const char* https;
  } cases[] = {
      {"p:8080", "p:8080", "p:8080"},
      {"http=a:1 https=b:2", "a:1", "b:2"},
      {"http=a:1;https=b:2", "a:1", "b:2"},
      {"b:9 http=a:1", "a:1", "b:9"},
      {"HTTPS=b", "", "b:80"},
      {"http=http://a:3", "a:3", ""},
      {"ftp=f:21 socks=s:1080", "", ""},
      {"http=[::1]:8080", "[::1]:8080", ""},
      {"http=a:1 http=c:2", "a:1", ""},
      {"  ;  ", "", ""},
  };
  for (const auto& c : cases) {
    ProxyList parsed = ParseProxyList(c.list);
    EXPECT_EQ(parsed.http, c.http) << c.list;
    EXPECT_EQ(parsed.https, c.https) << c.list;
  }
  for (const char* host : {"localhost", "LocalHost.", "a.localhost", "127.0.0.1", "127.1.2.3", "::1", "[::1]"}) {
    EXPECT_TRUE(IsLoopbackHost(host)) << host;
  }
  for (const char* host : {"localhost.example", "127.0.0.1.example", "128.0.0.1", "10.0.0.1", "mylocalhost"}) {
    EXPECT_FALSE(IsLoopbackHost(host)) << host;
  }
  EXPECT_TRUE(HostIsBypassed("<local>", "intranet"));
  EXPECT_FALSE(HostIsBypassed("<local>", "a.b"));
  EXPECT_TRUE(HostIsBypassed("foo; *.EXAMPLE.com", "www.example.COM"));
  EXPECT_FALSE(HostIsBypassed("*.example.com", "example.com"));
}

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST_F(InetReachTest, PreconfiguredUsesTheEnvironmentDirectIgnoresIt) {
  const std::string plainName = std::string(kProxiedName) + ":" + std::to_string(web.port());
  TestServer proxy = TestServer::Proxy({{plainName, web.port()}});
  ScopedEnv httpProxy("http_proxy", "http://127.0.0.1:" + std::to_string(proxy.port()));
  ScopedEnv noProxy("no_proxy", "");

  InetRequest preconfigured = To(web, kProxiedName);
  preconfigured.accessType = INTERNET_OPEN_TYPE_PRECONFIG;
  EXPECT_TRUE(RunInetRequest(preconfigured).sent);
  EXPECT_EQ(proxy.Requests().size(), 1u);

  InetRequest direct = To(web, kProxiedName);
  direct.accessType = INTERNET_OPEN_TYPE_DIRECT;
  EXPECT_FALSE(RunInetRequest(direct).sent);
  EXPECT_EQ(proxy.Requests().size(), 1u);

  {
    ScopedEnv bypass("no_proxy", kProxiedName);
    EXPECT_FALSE(RunInetRequest(preconfigured).sent);
    EXPECT_EQ(proxy.Requests().size(), 1u);
  }
}

TEST_F(InetReachTest, CookieStoreKeepsWhatResponsesSetUnlessSwitchedOff) {
  web.SetRoute("/set", "HTTP/1.1 302 Found\r\nsEt-cOOkie: a=1; path=/\r\nSet-Cookie: b=2\r\n"
                       "Location: /check\r\nContent-Length: 0\r\n\r\n");
  auto cookieLine = [](const std::string& raw) {
    auto at = raw.find("\r\nCookie: ");
    return at == std::string::npos ? std::string() : raw.substr(at + 2, raw.find("\r\n", at + 2) - at - 2);
  };

  InetRequest setting = To(web);
  setting.path = "/set";
  setting.flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES;
  ASSERT_TRUE(RunInetRequest(setting).sent);
  EXPECT_EQ(cookieLine(web.Requests().at(1)), "") << "switched off: nothing kept for the redirect";

  web.ClearRequests();
  setting.flags = INTERNET_FLAG_RELOAD;
  ASSERT_TRUE(RunInetRequest(setting).sent);
  EXPECT_EQ(cookieLine(web.Requests().at(1)), "Cookie: b=2; a=1") << "carried across the redirect";

  InetRequest later = To(web);
  later.path = "/later";
  ASSERT_TRUE(RunInetRequest(later).sent);
  EXPECT_EQ(cookieLine(web.Requests().back()), "Cookie: b=2; a=1") << "kept for the next request";

  later.flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES;
  later.headers = "Cookie: mine=1";
  ASSERT_TRUE(RunInetRequest(later).sent);
  EXPECT_EQ(cookieLine(web.Requests().back()), "Cookie: mine=1") << "only the caller's line";
}

}  // namespace
