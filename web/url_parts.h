// Taking a link apart into host, port and object path for a page request.
// The routines read the link's text alone: they never validate and never fail.
#pragma once

#include <optional>

#include "text/values.h"

// The host in lower case. Without suffixLabels the host follows the first
// "https://" at the start or else the first "http://" anywhere in the link
// (one is assumed in front when there is none). With suffixLabels the last
// suffixLabels + 1 labels (domainOnly) or + 2 labels (otherwise) are kept.
// domainOnly under the scheme method keeps the last two labels. The port
// suffix (":81") is dropped unless keepPort is true.
Text ExtractHost(const Text& url, bool domainOnly = false, bool keepPort = false,
                 std::optional<int> suffixLabels = std::nullopt);

// The number after the host's last ":", or 443 for a link beginning with
// "https" in any case, or 80.
int ExtractPort(const Text& url);

// The link from the first "/" after its host to the end (query and fragment
// included), in the link's own case; "/" when there is none.
Text ExtractPath(const Text& url);
