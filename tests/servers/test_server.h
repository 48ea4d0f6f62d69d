// Starting the loopback test servers of tests/servers from a GoogleTest test.
//
//   TestServer web = TestServer::Http();
//   web.SetRoute("/page", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi");
//   ... fetch web.Url("/page") ...
//   EXPECT_EQ(web.Requests().at(0), "GET /page HTTP/1.1\r\n...");
//
// Each server is a Python script of its own on a port the system picks, with a private
// temporary folder; it ends when the TestServer is destroyed (or the test process dies).
// A server that does not start within 10 seconds makes the constructor throw.
#pragma once

#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

// One step of a scripted answer; see tests/servers/http_server.py.
struct ResponseStep {
  static ResponseStep Send(std::string bytes);  // sent exactly as given
  static ResponseStep Pattern(long long count);  // count bytes of PatternBytes
  static ResponseStep Sleep(double seconds);     // silence, connection held open
  static ResponseStep Reset();                   // abrupt close (TCP reset)
  std::string json;
};

// A throw-away CA and a server certificate for 127.0.0.1, localhost and the extra names,
// made with openssl in a temporary folder (removed when this is destroyed).
class TestCertificates {
 public:
  explicit TestCertificates(const std::vector<std::string>& extraNames = {});
  ~TestCertificates();
  TestCertificates(const TestCertificates&) = delete;
  TestCertificates& operator=(const TestCertificates&) = delete;
  std::string caFile() const { return dir_ + "/ca.pem"; }
  std::string certFile() const { return dir_ + "/server.pem"; }
  std::string keyFile() const { return dir_ + "/server.key"; }

 private:
  std::string dir_;
};

class TestServer {
 public:
  static TestServer Http();
  static TestServer Https(const TestCertificates& certificates);
  // A forward proxy that alone resolves each name "host:port" to the loopback port given.
  static TestServer Proxy(const std::vector<std::pair<std::string, int>>& names);

  TestServer(TestServer&& other) noexcept;
  TestServer& operator=(TestServer&&) = delete;
  ~TestServer();

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" + path ("https://..." for the TLS server).
  std::string Url(const std::string& path) const;

  // Answers for a request target ("/a?b=1", "/a" for any query, "*" for anything).
  void SetRoute(const std::string& target, const std::string& rawResponse);
  void SetRoute(const std::string& target, const std::vector<ResponseStep>& steps);

  // Every request received so far, byte for byte, oldest first.
  std::vector<std::string> Requests() const;
  void ClearRequests();

 private:
  TestServer(const std::string& script, std::vector<std::string> args, bool tls);
  void WriteRoutes() const;

  std::string dir_;
  pid_t pid_ = -1;
  int stdinFd_ = -1;
  int port_ = 0;
  bool tls_ = false;
  std::vector<std::pair<std::string, std::string>> routes_;
};

// The bytes the scripted server sends for a Pattern step: byte i is (i * 131 + 7) % 256.
std::string PatternBytes(long long count);
