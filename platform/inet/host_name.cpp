// Host names that can be put into an address without changing its meaning.
#include "platform/inet/host_name.h"

#include <cctype>

bool IsAcceptableHostName(std::string_view host) {
  if (host.empty() || host.size() > 253 + 1) return false;
  bool hasColon = host.find(':') != std::string_view::npos;
  for (char ch : host) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (hasColon) {
      if (!std::isxdigit(c) && c != ':' && c != '.') return false;
    } else if (!std::isalnum(c) && c != '-' && c != '.' && c != '_' && c < 0x80) {
      return false;
    }
  }
  return true;
}
