// Taking an absolute web address apart, for callers that hold a whole address.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/inet/wininet.h"

struct CrackedUrl {
  bool secure = false;  // https
  std::string host;     // IPv6 literals without their brackets
  INTERNET_PORT port = 0;
  std::string userName;
  std::string password;
  std::string pathWithQuery;  // begins with "/"
};

// Canonicalizes address without escaping anything (blanks and control characters at
// both ends dropped, scheme letter case ignored, "." and ".." path segments resolved)
// and cracks it. Nothing for schemes other than http and https, an empty or malformed
// host, a port outside 1..65535, or characters that no host name may hold.
std::optional<CrackedUrl> CrackUrl(std::string_view address);

// "." and ".." segments of a path resolved; the query (from "?") is left alone.
std::string RemoveDotSegments(std::string_view pathWithQuery);
