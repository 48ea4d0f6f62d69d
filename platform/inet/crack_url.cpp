// Cracking web addresses into the parts InternetConnectA and HttpOpenRequestA take.
#include "platform/inet/crack_url.h"

#include <cctype>
#include <vector>

#include "platform/inet/host_name.h"

namespace {

bool IsEdgeJunk(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

std::string RemoveDotSegments(std::string_view pathWithQuery) {
  std::size_t queryAt = pathWithQuery.find('?');
  std::string_view path = pathWithQuery.substr(0, queryAt);
  std::string_view query = queryAt == std::string_view::npos ? std::string_view() : pathWithQuery.substr(queryAt);
  std::vector<std::string_view> kept;
  std::size_t start = 1;  // path begins with "/"
  bool endsInFolder = false;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    std::string_view segment = path.substr(start, end - start);
    endsInFolder = false;
    if (segment == ".") {
      endsInFolder = true;
    } else if (segment == "..") {
      if (!kept.empty()) kept.pop_back();
      endsInFolder = true;
    } else {
      kept.push_back(segment);
    }
    start = end + 1;
  }
  std::string out;
  for (std::string_view segment : kept) {
    out += '/';
    out += segment;
  }
  if (out.empty() || endsInFolder) out += '/';
  out += query;
  return out;
}

std::optional<CrackedUrl> CrackUrl(std::string_view address) {
  while (!address.empty() && IsEdgeJunk(address.front())) address.remove_prefix(1);
  while (!address.empty() && IsEdgeJunk(address.back())) address.remove_suffix(1);

  CrackedUrl url;
  if (StartsWithNoCase(address, "http://")) {
    address.remove_prefix(7);
  } else if (StartsWithNoCase(address, "https://")) {
    url.secure = true;
    address.remove_prefix(8);
  } else {
    return std::nullopt;
  }

  std::size_t authorityEnd = address.find_first_of("/?");
  std::string_view authority = address.substr(0, authorityEnd);
  std::string_view rest = authorityEnd == std::string_view::npos ? std::string_view() : address.substr(authorityEnd);

  if (auto at = authority.rfind('@'); at != std::string_view::npos) {
    std::string_view userInfo = authority.substr(0, at);
    authority.remove_prefix(at + 1);
    auto colon = userInfo.find(':');
    url.userName = std::string(userInfo.substr(0, colon));
    if (colon != std::string_view::npos) url.password = std::string(userInfo.substr(colon + 1));
  }

  std::string_view host = authority, port;
  if (!authority.empty() && authority.front() == '[') {
    auto close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = authority.substr(1, close - 1);
    std::string_view after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after.front() != ':') return std::nullopt;
      port = after.substr(1);
    }
  } else if (auto colon = authority.find(':'); colon != std::string_view::npos) {
    host = authority.substr(0, colon);
    port = authority.substr(colon + 1);
  }
  if (!IsAcceptableHostName(host)) return std::nullopt;
  url.host = std::string(host);

  url.port = url.secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
  if (!port.empty()) {
    long value = 0;
    for (char c : port) {
      if (!std::isdigit(static_cast<unsigned char>(c)) || value > 65535) return std::nullopt;
      value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535) return std::nullopt;
    url.port = static_cast<INTERNET_PORT>(value);
  }

  std::string path(rest);
  if (path.empty() || path.front() == '?') path.insert(0, "/");
  url.pathWithQuery = RemoveDotSegments(path);
  return url;
}
