// Downloading one http or https address whole, with what the caller needs to judge it.
#pragma once

#include <functional>

#include "text/values.h"

struct DownloadOutcome {
  bool reached = false;          // a final response arrived
  int status = 0;                // the final response's HTTP status, 0 if none
  long long announcedLength = -1;  // its Content-Length, -1 if none
  bool complete = false;  // the body ended normally and matches announcedLength when given
};

// received bytes so far, total announced (-1 unknown). Called on the caller's thread at
// least every 100 ms while the transfer runs or waits, and once at the end.
using DownloadProgress = std::function<void(long long received, long long total)>;

// The body of address (anything from the first "#" dropped), whatever its status, as far
// as it arrived. Empty, with reached false, for an address that is not http or https, that
// cannot be parsed, or whose server cannot be reached; redirects to other schemes and
// more than five redirects count as unreachable. Sent as "GET" "HTTP/1.0" with
// "Accept: */*", through the proxy of http_proxy / https_proxy / no_proxy.
Bytes DownloadUrl(const Text& address, DownloadOutcome* outcome = nullptr,
                  const DownloadProgress& progress = nullptr);
