// The settings tests may change, kept behind a lock because requests read them anywhere.
#include "platform/inet/test_hooks.h"

#include <mutex>

namespace {
std::mutex g_lock;
InternetTestSettings g_settings;
}  // namespace

void SetInternetTestSettings(const InternetTestSettings& settings) {
  std::lock_guard<std::mutex> lock(g_lock);
  g_settings = settings;
}

void ResetInternetTestSettings() { SetInternetTestSettings(InternetTestSettings{}); }

InternetTestSettings CurrentInternetSettings() {
  std::lock_guard<std::mutex> lock(g_lock);
  return g_settings;
}
