// A stand-in for the WinInet layer that writes down every call it gets and
// answers from a script, for checking which calls FetchWebPage makes, with
// which arguments and in which order, where no server could tell.
#pragma once

#include <string>
#include <vector>

#include "platform/inet/wininet.h"

struct WinInetScript {
  bool openFails = false;
  bool connectFails = false;
  bool requestFails = false;
  std::string body;        // handed out by InternetReadFile
  std::string rawHeaders;  // answered to HTTP_QUERY_RAW_HEADERS_CRLF
  long contentLength = -1; // answered to HTTP_QUERY_CONTENT_LENGTH; -1: no such header
};

// Resets the log and sets the script for the calls that follow.
void StartRecording(const WinInetScript& script);

// One line per call, such as HttpOpenRequestA(connection, "GET", "/", "HTTP/1.1", null, null, 0x80004010, 0).
const std::vector<std::string>& RecordedCalls();
