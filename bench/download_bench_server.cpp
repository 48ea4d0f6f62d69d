// The body is sent from one small block, over and over, so the server stays small.
#include "download_bench_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr long long kBlock = 1 << 20;

bool SendAll(int fd, const char* p, size_t left) {
  while (left > 0) {
    ssize_t n = send(fd, p, left, MSG_NOSIGNAL);
    if (n <= 0) return false;
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

void Answer(int client, long long bodySize, const std::vector<char>& block) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    ssize_t n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    request.append(buffer, static_cast<size_t>(n));
  }
  std::string head = "HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\nContent-Length: " +
                     std::to_string(bodySize) + "\r\nConnection: close\r\n\r\n";
  if (!SendAll(client, head.data(), head.size())) return;
  for (long long sent = 0; sent < bodySize;) {
    long long piece = std::min(kBlock, bodySize - sent);
    if (!SendAll(client, block.data(), static_cast<size_t>(piece))) return;
    sent += piece;
  }
}

[[noreturn]] void Serve(int listener, long long bodySize) {
  std::vector<char> block(kBlock);
  for (long long i = 0; i < kBlock; ++i) block[i] = static_cast<char>(AudioByte(i));
  for (;;) {
    int client = accept(listener, nullptr, nullptr);
    if (client < 0) continue;
    Answer(client, bodySize, block);
    shutdown(client, SHUT_WR);
    close(client);
  }
}

}  // namespace

// Periodic with the block size, so any block sent is the right part of the body.
unsigned char AudioByte(long long i) { return static_cast<unsigned char>((i % kBlock) * 131 + 7); }

AudioServer::AudioServer(long long bodySize) {
  int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      listen(listener, 16) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    if (listener >= 0) close(listener);
    return;
  }
  pid_ = fork();
  if (pid_ == 0) Serve(listener, bodySize);
  close(listener);
  if (pid_ > 0) port_ = ntohs(address.sin_port);
}

AudioServer::~AudioServer() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
}
