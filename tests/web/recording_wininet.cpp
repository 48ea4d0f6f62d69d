// The recording stand-in: handles are the addresses of three tokens named after their kind.
#include "recording_wininet.h"

#include <cstdio>
#include <cstring>

namespace {

WinInetScript g_script;
std::vector<std::string> g_calls;
std::size_t g_readOffset = 0;
DWORD g_lastError = ERROR_SUCCESS;

char g_internetToken, g_connectionToken, g_requestToken;

std::string Quoted(const char* text) { return text ? "\"" + std::string(text) + "\"" : "null"; }
std::string Quoted(const char* text, DWORD length) {
  return text ? "\"" + std::string(text, length) + "\"" : "null";
}

std::string HandleName(HINTERNET handle) {
  if (handle == &g_internetToken) return "internet";
  if (handle == &g_connectionToken) return "connection";
  if (handle == &g_requestToken) return "request";
  return handle ? "unknown" : "null";
}

std::string Hex(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

}  // namespace

void StartRecording(const WinInetScript& script) {
  g_script = script;
  g_calls.clear();
  g_readOffset = 0;
  g_lastError = ERROR_SUCCESS;
}

const std::vector<std::string>& RecordedCalls() { return g_calls; }

HINTERNET InternetOpenA(LPCSTR agent, DWORD accessType, LPCSTR proxy, LPCSTR proxyBypass, DWORD flags) {
  g_calls.push_back("InternetOpenA(" + Quoted(agent) + ", " + std::to_string(accessType) + ", " + Quoted(proxy) +
                    ", " + Quoted(proxyBypass) + ", " + std::to_string(flags) + ")");
  return g_script.openFails ? nullptr : &g_internetToken;
}

HINTERNET InternetConnectA(HINTERNET internet, LPCSTR serverName, INTERNET_PORT port, LPCSTR userName,
                           LPCSTR password, DWORD service, DWORD flags, DWORD_PTR context) {
  g_calls.push_back("InternetConnectA(" + HandleName(internet) + ", " + Quoted(serverName) + ", " +
                    std::to_string(port) + ", " + Quoted(userName) + ", " + Quoted(password) + ", " +
                    std::to_string(service) + ", " + std::to_string(flags) + ", " + std::to_string(context) + ")");
  return g_script.connectFails ? nullptr : &g_connectionToken;
}

HINTERNET HttpOpenRequestA(HINTERNET connect, LPCSTR verb, LPCSTR objectName, LPCSTR version, LPCSTR referrer,
                           LPCSTR* acceptTypes, DWORD flags, DWORD_PTR context) {
  g_calls.push_back("HttpOpenRequestA(" + HandleName(connect) + ", " + Quoted(verb) + ", " + Quoted(objectName) +
                    ", " + Quoted(version) + ", " + Quoted(referrer) + ", " + (acceptTypes ? "types" : "null") +
                    ", " + Hex(flags) + ", " + std::to_string(context) + ")");
  return g_script.requestFails ? nullptr : &g_requestToken;
}

BOOL HttpSendRequestA(HINTERNET request, LPCSTR headers, DWORD headersLength, LPVOID optional,
                      DWORD optionalLength) {
  g_calls.push_back("HttpSendRequestA(" + HandleName(request) + ", " + Quoted(headers, headersLength) + ", " +
                    std::to_string(headersLength) + ", " +
                    Quoted(static_cast<const char*>(optional), optionalLength) + ", " +
                    std::to_string(optionalLength) + ")");
  return TRUE;
}

BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, LPDWORD read) {
  const std::size_t left = g_script.body.size() - g_readOffset;
  const DWORD count = static_cast<DWORD>(left < toRead ? left : toRead);
  std::memcpy(buffer, g_script.body.data() + g_readOffset, count);
  g_readOffset += count;
  *read = count;
  g_calls.push_back("InternetReadFile(" + HandleName(file) + ", " + std::to_string(toRead) + ") = " +
                    std::to_string(count));
  return TRUE;
}

BOOL HttpQueryInfoA(HINTERNET request, DWORD infoLevel, LPVOID buffer, LPDWORD length, LPDWORD index) {
  g_calls.push_back("HttpQueryInfoA(" + HandleName(request) + ", " + Hex(infoLevel) + ", " +
                    std::to_string(*length) + ", " + (index ? "index" : "null") + ")");
  if (infoLevel == (HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER)) {
    if (g_script.contentLength < 0 || *length < sizeof(DWORD)) {
      g_lastError = ERROR_HTTP_HEADER_NOT_FOUND;
      return FALSE;
    }
    *static_cast<DWORD*>(buffer) = static_cast<DWORD>(g_script.contentLength);
    return TRUE;
  }
  if (infoLevel != HTTP_QUERY_RAW_HEADERS_CRLF || g_script.rawHeaders.empty()) {
    g_lastError = ERROR_HTTP_HEADER_NOT_FOUND;
    return FALSE;
  }
  const DWORD needed = static_cast<DWORD>(g_script.rawHeaders.size() + 1);
  if (*length < needed) {
    *length = needed;
    g_lastError = ERROR_INSUFFICIENT_BUFFER;
    return FALSE;
  }
  std::memcpy(buffer, g_script.rawHeaders.c_str(), needed);
  *length = needed - 1;
  return TRUE;
}

BOOL InternetCloseHandle(HINTERNET handle) {
  g_calls.push_back("InternetCloseHandle(" + HandleName(handle) + ")");
  return TRUE;
}

DWORD GetLastError() { return g_lastError; }
