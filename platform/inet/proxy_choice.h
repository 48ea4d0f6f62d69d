// Which proxy, if any, carries a request: WinInet's proxy and bypass lists, loopback rule.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct ProxyList {
  std::string http;   // "host:port" for plain requests, empty = none
  std::string https;  // "host:port" for secure requests, empty = none
};

// Entries separated by blanks or ";", each "[scheme=][scheme://]address[:port]". A bare
// entry serves both schemes unless a scheme's own entry is present; entries for other
// schemes (ftp=, socks=) are ignored. A missing port is 80.
ProxyList ParseProxyList(std::string_view list);

// True for names that always go direct: localhost, *.localhost, 127.x.x.x, ::1.
bool IsLoopbackHost(std::string_view host);

// True when host matches an entry of the bypass list: entries separated by blanks or
// ";", "*" matching any run of characters, letter case ignored, "<local>" matching
// names without a dot.
bool HostIsBypassed(std::string_view bypassList, std::string_view host);
