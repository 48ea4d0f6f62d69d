// Reading the cookies a response set out of its raw header text.
#pragma once

#include "text/values.h"

// Every letter-case form of "Set-Cookie" written as "Set-Cookie", so that the
// exact-case searches that follow find all of them.
Text NormaliseSetCookieNames(const Text& responseHeaders);

// The name=value part of every line that holds "Set-Cookie", joined by "; ".
// A line with ";" gives the trimmed text between "Set-Cookie:" and the first
// ";" after it (empty when the line lacks "Set-Cookie:"); a line without ";"
// gives the trimmed line with every "Set-Cookie:" removed.
Text CollectReceivedCookies(const Text& responseHeaders);
