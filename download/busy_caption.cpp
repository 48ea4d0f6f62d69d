// The busy caption keeps "正在下载..." as its base so it reads as the same state.
#include "download/busy_caption.h"

#include <cstdio>

#include "text/primitives.h"

namespace {

constexpr char kBusyCaption[] = "正在下载...";

// Short enough to fit the button beside the caption.
Text AmountText(long long bytes) {
  char buffer[32];
  if (bytes < 1024) {
    std::snprintf(buffer, sizeof buffer, "%lldB", bytes);
  } else if (bytes < 1024 * 1024) {
    std::snprintf(buffer, sizeof buffer, "%lldKB", bytes / 1024);
  } else if (bytes < 1024LL * 1024 * 1024) {
    std::snprintf(buffer, sizeof buffer, "%.1fMB", bytes / (1024.0 * 1024.0));
  } else {
    std::snprintf(buffer, sizeof buffer, "%.1fGB", bytes / (1024.0 * 1024.0 * 1024.0));
  }
  return Text(buffer);
}

}  // namespace

Text BusyCaption(long long received, long long total) {
  if (received < 0) received = 0;
  if (total <= 0) return JoinText(kBusyCaption, AmountText(received));
  // A server that sends more than it announced must not make the share pass 100.
  long long percent = received >= total ? 100 : static_cast<long long>(received * 100.0 / total);
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%lld%%", percent);
  return JoinText(kBusyCaption, Text(buffer));
}
