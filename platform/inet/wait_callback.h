// Lets a caller keep its window alive while a request waits for the network.
#pragma once

#include <functional>

#include "platform/inet/wininet.h"

// callback runs on the caller's thread at least every 100 ms while HttpSendRequestA or
// InternetReadFile on this request waits for the network. Null removes it.
void SetInternetWaitCallback(HINTERNET request, std::function<void()> callback);
