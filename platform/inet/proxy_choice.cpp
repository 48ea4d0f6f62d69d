// WinInet's proxy list syntax and the rules that send a host direct.
#include "platform/inet/proxy_choice.h"

#include <cctype>
#include <vector>

namespace {

std::vector<std::string_view> SplitEntries(std::string_view list) {
  std::vector<std::string_view> entries;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= list.size(); ++i) {
    if (i == list.size() || list[i] == ' ' || list[i] == ';' || list[i] == '\t') {
      if (i > start) entries.push_back(list.substr(start, i - start));
      start = i + 1;
    }
  }
  return entries;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// "[scheme://]host[:port][/...]" -> "host:port", port 80 when missing.
std::string ProxyAddress(std::string_view address) {
  if (auto sep = address.find("://"); sep != std::string_view::npos) address.remove_prefix(sep + 3);
  if (auto slash = address.find('/'); slash != std::string_view::npos) address = address.substr(0, slash);
  if (address.empty()) return {};
  std::size_t hostEnd = address.size();
  if (address.front() == '[') {
    hostEnd = address.find(']');
    if (hostEnd == std::string_view::npos) return {};
    ++hostEnd;
  } else if (auto colon = address.rfind(':'); colon != std::string_view::npos) {
    hostEnd = colon;
  }
  if (hostEnd == 0) return {};
  if (hostEnd == address.size()) return std::string(address) + ":80";
  return std::string(address);
}

bool WildcardMatch(std::string_view pattern, std::string_view text) {
  std::size_t p = 0, t = 0, starP = std::string_view::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starT = t;
    } else if (p < pattern.size() && pattern[p] == text[t]) {
      ++p;
      ++t;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

ProxyList ParseProxyList(std::string_view list) {
  ProxyList named, bare;
  for (std::string_view entry : SplitEntries(list)) {
    auto eq = entry.find('=');
    std::string scheme = eq == std::string_view::npos ? std::string() : Lower(entry.substr(0, eq));
    std::string address = ProxyAddress(eq == std::string_view::npos ? entry : entry.substr(eq + 1));
    if (address.empty()) continue;
    // The first entry of each kind wins, as later duplicates are usually leftovers.
    if (scheme.empty()) {
      if (bare.http.empty()) bare.http = bare.https = address;
    } else if (scheme == "http") {
      if (named.http.empty()) named.http = address;
    } else if (scheme == "https") {
      if (named.https.empty()) named.https = address;
    }
  }
  return {named.http.empty() ? bare.http : named.http, named.https.empty() ? bare.https : named.https};
}

bool IsLoopbackHost(std::string_view host) {
  std::string h = Lower(host);
  if (!h.empty() && h.back() == '.') h.pop_back();
  if (h == "localhost" || (h.size() > 10 && h.compare(h.size() - 10, 10, ".localhost") == 0)) return true;
  if (h == "::1" || h == "[::1]") return true;
  if (h.rfind("127.", 0) != 0) return false;
  int dots = 0;
  for (char c : h) {
    if (c == '.') ++dots;
    else if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return dots == 3;
}

bool HostIsBypassed(std::string_view bypassList, std::string_view host) {
  std::string h = Lower(host);
  for (std::string_view entry : SplitEntries(bypassList)) {
    std::string pattern = Lower(entry);
    if (pattern == "<local>") {
      if (h.find('.') == std::string::npos && h.find(':') == std::string::npos) return true;
    } else if (WildcardMatch(pattern, h)) {
      return true;
    }
  }
  return false;
}
