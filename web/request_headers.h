// The user agent and the request header text of a page request.
#pragma once

#include "text/values.h"

inline constexpr char DefaultUserAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// The trimmed text after the first ":"; empty when there is none.
Text TextAfterColon(const Text& headerText);

// The caller's own agent when its header lines name one ("User-Agent:" in any
// case), else DefaultUserAgent. The value is read up to the next CRLF after an
// exact-case "User-Agent:"; when that gives nothing (other case, last line,
// blank value) it is everything after the first colon of the whole text.
Text ChooseUserAgent(const Text& requestHeaders);

// The text before its first CR or LF. An agent is sent as one header line, and
// what the colon fallback above reads past a line break belongs to other lines.
Text FirstLineOf(const Text& text);

// The caller's lines plus the default Accept, Accept-Language and Content-Type
// lines that are missing (each test is an exact-case search anywhere in the
// text), plus a Cookie line when cookies is not empty. CRLF between lines,
// none after the last.
Text CompleteRequestHeaders(const Text& requestHeaders, const Text& cookies);
