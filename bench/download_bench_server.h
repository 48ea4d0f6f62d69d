// A loopback HTTP server in a process of its own for the download benchmark, so
// that neither its memory nor its work counts for the process being measured.
#pragma once

#include <sys/types.h>

class AudioServer {
 public:
  // Answers every request with bodySize bytes and their Content-Length.
  explicit AudioServer(long long bodySize);
  ~AudioServer();
  AudioServer(const AudioServer&) = delete;
  AudioServer& operator=(const AudioServer&) = delete;

  // 0 when the server could not start.
  int port() const { return port_; }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

// Byte i of the served body.
unsigned char AudioByte(long long i);
