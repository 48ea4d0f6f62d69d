// The registry that turns HINTERNET values back into objects, and the last error.
#include "platform/inet/handles.h"

#include <mutex>
#include <unordered_map>

namespace {

std::mutex g_registryLock;
std::unordered_map<HINTERNET, std::unique_ptr<InternetHandle>>& Registry() {
  static std::unordered_map<HINTERNET, std::unique_ptr<InternetHandle>> registry;
  return registry;
}

thread_local DWORD t_lastError = ERROR_SUCCESS;

}  // namespace

HINTERNET RegisterHandle(std::unique_ptr<InternetHandle> handle) {
  HINTERNET key = handle.get();
  std::lock_guard<std::mutex> lock(g_registryLock);
  Registry().emplace(key, std::move(handle));
  return key;
}

InternetHandle* LookUpAnyHandle(HINTERNET handle) {
  std::lock_guard<std::mutex> lock(g_registryLock);
  auto found = Registry().find(handle);
  return found == Registry().end() ? nullptr : found->second.get();
}

bool CloseRegisteredHandle(HINTERNET handle) {
  std::unique_ptr<InternetHandle> closing;
  {
    std::lock_guard<std::mutex> lock(g_registryLock);
    auto found = Registry().find(handle);
    if (found == Registry().end()) return false;
    closing = std::move(found->second);
    Registry().erase(found);
  }
  return true;  // the object, and any transfer it holds, ends here outside the lock
}

void SetLastInternetError(DWORD code) { t_lastError = code; }

DWORD GetLastError() { return t_lastError; }
