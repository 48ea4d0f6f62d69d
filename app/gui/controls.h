// Building a window's controls from its table.
#pragma once

#include "app/gui/top_window.h"
#include "app/window_tables.h"

// Creates the control inside the window (which must be the current group) and
// records it under its name. Table texts are code page 936.
void CreateControl(TopWindow* window, const ControlDefinition& definition);
