// The objects behind HINTERNET: a session, a connection to one server, one request.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/inet/exchange.h"
#include "platform/inet/wininet.h"

struct InternetHandle {
  virtual ~InternetHandle() = default;
};

struct SessionSettings {
  std::string agent;
  DWORD accessType = INTERNET_OPEN_TYPE_DIRECT;
  std::string proxyList;
  std::string bypassList;
};

struct ServerSettings {
  std::shared_ptr<const SessionSettings> session;
  std::string host;
  INTERNET_PORT port = 0;
  std::string userName, password;
};

// Children keep their parent's settings alive, so any closing order is safe.
struct SessionHandle : InternetHandle {
  std::shared_ptr<const SessionSettings> settings;
};

struct ConnectionHandle : InternetHandle {
  std::shared_ptr<const ServerSettings> server;
};

struct RequestHandle : InternetHandle {
  std::shared_ptr<const ServerSettings> server;
  std::string verb;
  std::string path;
  bool http10 = false;
  DWORD flags = 0;
  std::function<void()> waitCallback;
  // What the last send produced: the exchange of the final response, or nothing.
  std::string body;
  std::unique_ptr<Exchange> exchange;
  bool sendFailed = false;
};

// Registers a new handle and gives it out; handles unknown to the registry are refused.
HINTERNET RegisterHandle(std::unique_ptr<InternetHandle> handle);
InternetHandle* LookUpAnyHandle(HINTERNET handle);
// False for a handle that is unknown or already closed.
bool CloseRegisteredHandle(HINTERNET handle);

template <class T>
T* LookUpHandle(HINTERNET handle) {
  return dynamic_cast<T*>(LookUpAnyHandle(handle));
}

// The thread's last error, as GetLastError reports it.
void SetLastInternetError(DWORD code);
