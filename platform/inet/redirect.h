// How the layer follows a redirect: which answers count, where they lead, what is re-sent.
#pragma once

#include <optional>
#include <string>

constexpr int kMaxRedirects = 5;

// 301, 302, 303, 307 and 308.
bool IsRedirectStatus(int status);

// The absolute address location leads to from base, or nothing when it cannot be
// parsed or does not lead to http or https. A fragment is dropped.
std::optional<std::string> ResolveRedirect(const std::string& base, const std::string& location);

// True when following from base to target would leave TLS for plain HTTP.
bool LeavesTls(const std::string& base, const std::string& target);

// A POST becomes a GET without body on 301 to 303, and so does every verb but HEAD on
// 303; 307 and 308 keep the verb and the body.
struct NextRequest {
  std::string verb;
  bool keepBody;
};
NextRequest RequestAfterRedirect(int status, const std::string& verb);
