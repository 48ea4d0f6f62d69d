// Creating a window of the program from its table.
#pragma once

#include "app/gui/top_window.h"
#include "app/window_tables.h"

// Creates the window and its controls centred on the screen, registers it and
// runs its created event. It is not yet shown.
TopWindow* CreateProgramWindow(const WindowDefinition& definition);
