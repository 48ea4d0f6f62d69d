// The exported entry point of the skin library.
#include "skin/engine/attach_export.h"

#include "skin/engine/look_painter.h"
#include "skin/engine/skin_format.h"

extern "C" __attribute__((visibility("default"))) int SkinH_AttachRes(const void* skin, int length,
                                                                      const char* /*reserved*/, int, int, int) {
  if (!skin || length <= 0) return 0;
  she::Look look;
  if (!she::ParseSkin(static_cast<const unsigned char*>(skin), static_cast<std::size_t>(length), &look)) {
    return 0;
  }
  skin_engine::InstallLook(look);
  return 1;
}

// The library may be unloaded while FLTK lives on (the program unloads it at its
// normal end, a test may unload it mid-run); FLTK must not keep our functions.
__attribute__((destructor)) static void GiveBoxesBackOnUnload() { skin_engine::RestoreFltkBoxes(); }
