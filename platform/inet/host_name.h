// What may stand as a host name in a request, so that no name can reshape the address.
#pragma once

#include <string_view>

// Letters, digits, "-", ".", "_" and bytes of 0x80 and above, or an IPv6 literal
// (hex digits, ":" and "."), without brackets. False for the empty name.
bool IsAcceptableHostName(std::string_view host);
