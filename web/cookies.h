// Keeping a caller-held cookie text ("a=1; b=2") up to date with the cookies a
// response has set. Names and items compare byte for byte; case matters.
#pragma once

#include "text/values.h"

// Both texts lose every blank and are written back. cookies becomes the
// received items followed by the old items whose names were not received,
// without items ending in "=deleted" and without exact repeats, joined by "; ".
// Returns a copy of the new cookies.
Text MergeCookies(Text& cookies, Text& receivedCookies);

// The trimmed text before the item's first "="; the whole item when it has none.
Text CookieName(const Text& cookieItem);

bool CookieListHasName(const TextArray& cookieList, const Text& wantedName);

// The distinct items of joinedText in first-seen order, joined by separator.
Text JoinUnique(const Text& joinedText, const Text& separator);

// 1-based position of the first member equal to wanted, or -1.
int TextArrayIndexOf(const TextArray& members, const Text& wanted);
