// One whole request through the WinInet calls, as the tests of the layer make it.
#pragma once

#include <optional>
#include <string>

#include "platform/inet/wininet.h"

struct InetRequest {
  std::string agent = "TestAgent/1.0";
  DWORD accessType = INTERNET_OPEN_TYPE_DIRECT;
  std::optional<std::string> proxy;  // the list given to InternetOpenA
  std::string bypass;                // its bypass list, when a proxy list is given
  std::string host = "127.0.0.1";
  int port = 0;
  std::string verb = "GET";
  std::string path = "/";
  std::string version = "HTTP/1.1";
  DWORD flags = INTERNET_FLAG_RELOAD;
  std::string headers;
  std::optional<std::string> body;
  DWORD readSize = 1024;
};

struct InetResult {
  bool opened = false;  // all three handles
  bool sent = false;
  DWORD sendError = 0;
  int status = 0;
  std::string rawHeaders;
  std::string body;
  bool readOk = true;  // the last read reported the end, not a failure
};

InetResult RunInetRequest(const InetRequest& request);

// The test server's record of a request, cut into head and body.
std::string HeadOf(const std::string& raw);
std::string BodyOf(const std::string& raw);
