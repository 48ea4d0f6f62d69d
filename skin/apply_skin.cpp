// Deploys the skin library and attaches one embedded skin.
#include "skin/apply_skin.h"

#include <cstdio>

#include "platform/codepage/boundary.h"
#include "platform/files/files.h"
#include "skin/skin_library_binding.h"
#include "skin/skin_library_name.h"
#include "skin/skin_resources.h"
#include "text/primitives.h"

void EnsureSkinLibrary() {
  if (FileExists(SkinLibraryPath())) return;
  if (!WriteWholeFile(SkinLibraryPath(), SkinLibraryBytes())) {
    // A cut-off library would be found by every later start and never rewritten,
    // and could not be loaded; without it the next start tries again.
    std::remove(Cp936ToUtf8(SkinLibraryPath()).c_str());
    return;
  }
  SetFileAttribute(SkinLibraryPath(), FILE_ATTRIBUTE_HIDDEN);
}

void ApplySkin(int number) {
  EnsureSkinLibrary();
  Bytes skin = CopySkin(number);
  CallSkinAttach(skin.empty() ? nullptr : skin.data(), BytesLength(skin));
}
