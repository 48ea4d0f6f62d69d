// Where the user's own folders are. Only the desktop is known; it is where songs go.
#pragma once

#include "text/values.h"

constexpr int CSIDL_DESKTOPDIRECTORY = 3;

// The desktop folder as a code page 936 path ending in "/": XDG_DESKTOP_DIR from
// $XDG_CONFIG_HOME/user-dirs.dirs (~/.config when unset), else $HOME/Desktop.
// The folder is created when missing. Empty when HOME is unset or not absolute,
// when the folder cannot be made or is not a folder, when its name has characters
// that code page 936 cannot carry, and for any folder number other than 3.
Text SpecialFolder(int folder);
