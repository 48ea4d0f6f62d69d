// Loads the skin library on first use and calls its attach function.
#include "skin/skin_library_binding.h"

#include "platform/library/library.h"
#include "skin/engine/attach_export.h"
#include "skin/skin_library_name.h"
#include "text/fatal_error.h"

namespace {

SkinAttachFunction FindAttachFunction() {
  LibraryHandle library = LoadLibraryByName(SkinLibraryPath());
  if (!library) library = LoadLibraryByName(kSkinLibraryFileName);
  void* function = FindExport(library, kSkinAttachExport);
  if (!function) {
    FatalError(0, "找不到库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”。");
  }
  return reinterpret_cast<SkinAttachFunction>(function);
}

}  // namespace

int CallSkinAttach(const unsigned char* skin, int length) {
  static SkinAttachFunction attach = FindAttachFunction();
  return attach(skin, length, "", 0, 0, 0);
}
