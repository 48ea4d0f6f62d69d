// dlopen-based library loading with a record of what was loaded, so that the
// normal end can unload it after the exit handler.
#include "platform/library/library.h"

#include <dlfcn.h>

#include <vector>

#include "platform/codepage/boundary.h"

namespace {
std::vector<LibraryHandle>& Loaded() {
  static std::vector<LibraryHandle> loaded;
  return loaded;
}
}  // namespace

LibraryHandle LoadLibraryByName(const Text& pathOrName) {
  if (pathOrName.empty()) return nullptr;
  LibraryHandle handle = dlopen(Cp936ToUtf8(pathOrName).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle) Loaded().push_back(handle);
  return handle;
}

void* FindExport(LibraryHandle library, const char* name) {
  if (!library || !name) return nullptr;
  return dlsym(library, name);
}

void UnloadLoadedLibraries() {
  auto& loaded = Loaded();
  while (!loaded.empty()) {
    dlclose(loaded.back());
    loaded.pop_back();
  }
}
