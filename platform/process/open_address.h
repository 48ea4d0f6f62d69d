// Hands a web address to the desktop's "open" action (the default browser).
#pragma once

#include "text/values.h"

// Starts xdg-open with the address as its one argument and does not wait for it.
// The address is UTF-8. A failure to start is silent.
void OpenAddress(const Text& address);
