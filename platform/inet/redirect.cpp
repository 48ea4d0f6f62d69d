// Redirect rules, with libcurl's URL parser resolving relative locations.
#include "platform/inet/redirect.h"

#include <curl/curl.h>

#include <memory>

namespace {

struct UrlDeleter {
  void operator()(CURLU* u) const { curl_url_cleanup(u); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;

std::string SchemeOf(const std::string& url) {
  auto sep = url.find("://");
  std::string scheme = url.substr(0, sep == std::string::npos ? 0 : sep);
  for (char& c : scheme) c = static_cast<char>(c | 0x20);
  return scheme;
}

}  // namespace

bool IsRedirectStatus(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::optional<std::string> ResolveRedirect(const std::string& base, const std::string& location) {
  UrlHandle url(curl_url());
  if (!url) return std::nullopt;
  if (curl_url_set(url.get(), CURLUPART_URL, base.c_str(), 0) != CURLUE_OK) return std::nullopt;
  // Servers put blanks and raw bytes into Location; browsers escape them, and so do we.
  if (curl_url_set(url.get(), CURLUPART_URL, location.c_str(),
                   CURLU_NON_SUPPORT_SCHEME | CURLU_URLENCODE | CURLU_ALLOW_SPACE) != CURLUE_OK) {
    return std::nullopt;
  }
  char* scheme = nullptr;
  if (curl_url_get(url.get(), CURLUPART_SCHEME, &scheme, 0) != CURLUE_OK) return std::nullopt;
  std::string s(scheme);
  curl_free(scheme);
  if (s != "http" && s != "https") return std::nullopt;
  curl_url_set(url.get(), CURLUPART_FRAGMENT, nullptr, 0);
  char* full = nullptr;
  if (curl_url_get(url.get(), CURLUPART_URL, &full, 0) != CURLUE_OK) return std::nullopt;
  std::string result(full);
  curl_free(full);
  return result;
}

bool LeavesTls(const std::string& base, const std::string& target) {
  return SchemeOf(base) == "https" && SchemeOf(target) != "https";
}

NextRequest RequestAfterRedirect(int status, const std::string& verb) {
  if (status == 307 || status == 308) return {verb, true};
  if (status == 303 && verb != "HEAD") return {"GET", false};
  if (verb == "POST") return {"GET", false};
  return {verb, true};
}
