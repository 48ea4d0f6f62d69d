// A loopback HTTP server for the fetch benchmark: it answers every request with
// one large body made on the fly, so that the server itself holds almost nothing.
#pragma once

#include <cstddef>
#include <thread>

class BodyServer {
 public:
  // Serves bodySize bytes: "/sized" announces the length, "/unsized" does not
  // (the body then ends when the connection closes).
  explicit BodyServer(std::size_t bodySize);
  ~BodyServer();
  BodyServer(const BodyServer&) = delete;
  BodyServer& operator=(const BodyServer&) = delete;

  int port() const { return port_; }

 private:
  void Serve();
  void Answer(int client);

  std::size_t bodySize_;
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
};
