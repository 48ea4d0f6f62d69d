// The benchmark's body server: one connection at a time, a fixed pattern repeated.
#include "fetch_bench_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

BodyServer::BodyServer(std::size_t bodySize) : bodySize_(bodySize) {
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listener_, 8);
  socklen_t length = sizeof address;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

BodyServer::~BodyServer() {
  // Unblocks accept so that the serving thread can end.
  shutdown(listener_, SHUT_RDWR);
  close(listener_);
  thread_.join();
}

void BodyServer::Serve() {
  for (;;) {
    const int client = accept(listener_, nullptr, nullptr);
    if (client < 0) return;
    Answer(client);
    close(client);
  }
}

void BodyServer::Answer(int client) {
  std::string request;
  char chunk[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    const ssize_t got = recv(client, chunk, sizeof chunk, 0);
    if (got <= 0) return;
    request.append(chunk, static_cast<std::size_t>(got));
  }
  const bool sized = request.find(" /sized ") != std::string::npos;
  std::string head = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n";
  if (sized) head += "Content-Length: " + std::to_string(bodySize_) + "\r\n";
  head += "\r\n";
  if (send(client, head.data(), head.size(), MSG_NOSIGNAL) < 0) return;

  std::vector<char> pattern(256 * 1024);
  for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<char>('a' + i % 26);
  std::size_t left = bodySize_;
  while (left > 0) {
    const std::size_t piece = left < pattern.size() ? left : pattern.size();
    const ssize_t sent = send(client, pattern.data(), piece, MSG_NOSIGNAL);
    if (sent <= 0) return;
    left -= static_cast<std::size_t>(sent);
  }
}
