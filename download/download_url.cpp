// The audio download over our WinInet layer, holding the file once in memory.
#include "download/download_url.h"

#include <chrono>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "platform/inet/crack_url.h"
#include "platform/inet/wait_callback.h"
#include "platform/inet/wininet.h"

namespace {

constexpr const char* kAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr DWORD kReadSize = 64 * 1024;
// Above this an announced length is not trusted enough to reserve memory for it up front.
constexpr long long kLargestReservation = 4LL << 30;

// Closes what was opened, innermost first, however the download ends.
struct OpenHandles {
  HINTERNET internet = nullptr, connection = nullptr, request = nullptr;
  ~OpenHandles() {
    if (request) InternetCloseHandle(request);
    if (connection) InternetCloseHandle(connection);
    if (internet) InternetCloseHandle(internet);
  }
};

// Progress no more often than every 100 ms, except the last word.
class ProgressReporter {
 public:
  explicit ProgressReporter(const DownloadProgress& progress) : progress_(progress) {}
  void Report(long long received, long long total, bool final = false) {
    if (!progress_) return;
    auto now = std::chrono::steady_clock::now();
    if (!final && now - last_ < std::chrono::milliseconds(100)) return;
    last_ = now;
    progress_(received, total);
  }

 private:
  const DownloadProgress& progress_;
  std::chrono::steady_clock::time_point last_{};
};

long long AnnouncedLength(HINTERNET request) {
  char text[32];
  DWORD length = sizeof text;
  if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, text, &length, nullptr)) return -1;
  char* end = nullptr;
  long long value = std::strtoll(text, &end, 10);
  return (end == text || *end || value < 0) ? -1 : value;
}

int Status(HINTERNET request) {
  DWORD status = 0, length = sizeof status;
  if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &length, nullptr)) return 0;
  return static_cast<int>(status);
}

}  // namespace

Bytes DownloadUrl(const Text& address, DownloadOutcome* outcome, const DownloadProgress& progress) {
  DownloadOutcome local;
  DownloadOutcome& result = outcome ? *outcome : local;
  result = DownloadOutcome{};
  ProgressReporter reporter(progress);

  std::string_view whole(address.str());
  std::optional<CrackedUrl> url = CrackUrl(whole.substr(0, whole.find('#')));
  if (!url) return Bytes();

  OpenHandles handles;
  handles.internet = InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!handles.internet) return Bytes();
  handles.connection = InternetConnectA(handles.internet, url->host.c_str(), url->port,
                                        url->userName.empty() ? nullptr : url->userName.c_str(),
                                        url->password.empty() ? nullptr : url->password.c_str(),
                                        INTERNET_SERVICE_HTTP, 0, 0);
  if (!handles.connection) return Bytes();
  LPCSTR acceptTypes[] = {"Accept: */* \r\n", nullptr};
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | (url->secure ? INTERNET_FLAG_SECURE : 0);
  handles.request = HttpOpenRequestA(handles.connection, "GET", url->pathWithQuery.c_str(), "HTTP/1.0",
                                     nullptr, acceptTypes, flags, 0);
  if (!handles.request) return Bytes();

  Bytes body;
  SetInternetWaitCallback(handles.request, [&] { reporter.Report(static_cast<long long>(body.size()), result.announcedLength); });
  static const char kHeaders[] = "Accept: */*\r\n\r\n";
  if (!HttpSendRequestA(handles.request, kHeaders, sizeof kHeaders - 1, nullptr, 0)) {
    reporter.Report(0, -1, true);
    return Bytes();
  }
  result.reached = true;
  result.status = Status(handles.request);
  result.announcedLength = AnnouncedLength(handles.request);

  // Reserving the announced size keeps the body in one block of its final size.
  if (result.announcedLength > 0 && result.announcedLength <= kLargestReservation) {
    try {
      body.Reserve(static_cast<std::size_t>(result.announcedLength));
    } catch (const std::bad_alloc&) {
      // Grow as the bytes come instead.
    }
  }

  std::vector<char> buffer(kReadSize);
  BOOL ok = TRUE;
  for (;;) {
    DWORD read = 0;
    ok = InternetReadFile(handles.request, buffer.data(), kReadSize, &read);
    if (read == 0) break;
    body.Append(buffer.data(), read);
    reporter.Report(static_cast<long long>(body.size()), result.announcedLength);
  }
  long long received = static_cast<long long>(body.size());
  result.complete = ok && (result.announcedLength < 0 || received == result.announcedLength);
  reporter.Report(received, result.announcedLength, true);
  return body;
}
