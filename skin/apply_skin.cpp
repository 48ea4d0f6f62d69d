// Deploys the skin library and attaches one embedded skin.
#include "skin/apply_skin.h"

#include "platform/files/files.h"
#include "platform/files/safe_save.h"
#include "skin/skin_library_binding.h"
#include "skin/skin_library_name.h"
#include "skin/skin_resources.h"
#include "text/primitives.h"

void EnsureSkinLibrary() {
  if (FileExists(SkinLibraryPath())) return;
  // The library appears under its name only once it is whole: a copy of the
  // program started at the same moment would otherwise load a half-written file,
  // and a write cut short would leave one that every later start keeps and fails
  // to load. Two starts that both write end with the same bytes either way.
  if (SaveFileSafely(SkinLibraryFolder(), kSkinLibraryFileName, SkinLibraryBytes()) !=
      SaveProblem::kNone) {
    return;
  }
  SetFileAttribute(SkinLibraryPath(), FILE_ATTRIBUTE_HIDDEN);
}

void ApplySkin(int number) {
  EnsureSkinLibrary();
  Bytes skin = CopySkin(number);
  CallSkinAttach(skin.empty() ? nullptr : skin.data(), BytesLength(skin));
}
