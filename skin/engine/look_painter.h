// Draws FLTK's button, field, frame and backdrop boxes in the attached look.
#pragma once

#include "skin/engine/skin_format.h"

namespace skin_engine {

// Makes look the program's look: global colours, box drawing functions, and a
// redraw of every shown window. FLTK's own box functions are remembered the first
// time, so that RestoreFltkBoxes can put them back.
void InstallLook(const she::Look& look);

// Hands FLTK its own box functions again. Called when the library is unloaded,
// so that no box type is left pointing into unmapped code.
void RestoreFltkBoxes();

}  // namespace skin_engine
