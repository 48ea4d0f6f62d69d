// Drives the seven calls in the order a page request uses them.
#include "inet_client.h"

#include <gtest/gtest.h>

#include <vector>

InetResult RunInetRequest(const InetRequest& r) {
  InetResult result;
  HINTERNET internet = InternetOpenA(r.agent.c_str(), r.accessType, r.proxy ? r.proxy->c_str() : nullptr,
                                     r.proxy ? r.bypass.c_str() : nullptr, 0);
  HINTERNET connection = internet ? InternetConnectA(internet, r.host.c_str(), static_cast<INTERNET_PORT>(r.port),
                                                     nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0)
                                  : nullptr;
  HINTERNET request = connection ? HttpOpenRequestA(connection, r.verb.c_str(), r.path.c_str(), r.version.c_str(),
                                                    nullptr, nullptr, r.flags, 0)
                                 : nullptr;
  result.opened = request != nullptr;
  if (request) {
    std::string body = r.body.value_or("");
    result.sent = HttpSendRequestA(request, r.headers.c_str(), static_cast<DWORD>(r.headers.size()),
                                   r.body ? body.data() : nullptr, static_cast<DWORD>(body.size())) != FALSE;
    if (!result.sent) result.sendError = GetLastError();
    std::vector<char> buffer(r.readSize);
    for (;;) {
      DWORD read = 0;
      result.readOk = InternetReadFile(request, buffer.data(), r.readSize, &read) != FALSE;
      if (read == 0) break;
      EXPECT_LE(read, r.readSize);
      result.body.append(buffer.data(), read);
    }
    DWORD status = 0, length = sizeof status;
    if (HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &length, nullptr)) {
      result.status = static_cast<int>(status);
    }
    length = 0;
    HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &length, nullptr);
    std::string headers(length, '\0');
    if (length && HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, headers.data(), &length, nullptr)) {
      result.rawHeaders = headers.substr(0, length);
    }
  }
  if (request) InternetCloseHandle(request);
  if (connection) InternetCloseHandle(connection);
  if (internet) InternetCloseHandle(internet);
  return result;
}

std::string HeadOf(const std::string& raw) { return raw.substr(0, raw.find("\r\n\r\n") + 4); }

std::string BodyOf(const std::string& raw) { return raw.substr(raw.find("\r\n\r\n") + 4); }
