// The layer's one in-process cookie store, shared by every request that uses cookies.
#pragma once

#include <curl/curl.h>

// Makes easy keep what responses set and send back what matches, in the shared store.
void UseSharedCookieStore(CURL* easy);
