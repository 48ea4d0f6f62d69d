// The WinInet calls over libcurl: sessions, connections, requests with redirects.
#include "platform/inet/wininet.h"

#include <cstring>

#include "platform/inet/handles.h"
#include "platform/inet/host_name.h"
#include "platform/inet/proxy_choice.h"
#include "platform/inet/redirect.h"
#include "platform/inet/wait_callback.h"

namespace {

BOOL Fail(DWORD code) {
  SetLastInternetError(code);
  return FALSE;
}

HINTERNET FailHandle(DWORD code) {
  SetLastInternetError(code);
  return nullptr;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool IsToken(const char* s) {
  if (!*s) return false;
  for (; *s; ++s) {
    if (!std::isalpha(static_cast<unsigned char>(*s)) && *s != '-' && *s != '_') return false;
  }
  return true;
}

// Blanks, control characters and bytes above ASCII cannot stand in a request line.
std::string EscapedPath(const char* path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  if (!path || *path != '/') out += '/';
  for (const char* p = path ? path : ""; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c <= 0x20 || c >= 0x7F) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += *p;
    }
  }
  return out;
}

std::string OriginUrl(const ServerSettings& server, bool secure) {
  INTERNET_PORT port = server.port;
  if (port == INTERNET_INVALID_PORT_NUMBER) port = secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
  bool literal6 = server.host.find(':') != std::string::npos;
  return std::string(secure ? "https://" : "http://") + (literal6 ? "[" : "") + server.host +
         (literal6 ? "]" : "") + ":" + std::to_string(port);
}

// Host as libcurl's URL parser sees it, without brackets; empty when the URL is odd.
std::string HostOf(const std::string& url) {
  std::size_t start = url.find("://");
  if (start == std::string::npos) return {};
  start += 3;
  std::size_t end = url.find_first_of("/?#", start);
  std::string authority = url.substr(start, end == std::string::npos ? std::string::npos : end - start);
  if (auto at = authority.rfind('@'); at != std::string::npos) authority.erase(0, at + 1);
  if (!authority.empty() && authority.front() == '[') return authority.substr(1, authority.find(']') - 1);
  return authority.substr(0, authority.find(':'));
}

std::string OriginOf(const std::string& url) {
  std::size_t start = url.find("://");
  std::size_t end = start == std::string::npos ? std::string::npos : url.find_first_of("/?#", start + 3);
  return Lower(url.substr(0, end));
}

std::optional<std::string> ProxyFor(const SessionSettings& session, const std::string& url) {
  std::string host = HostOf(url);
  bool secure = Lower(url.substr(0, 6)) == "https:";
  // The environment is consulted only when asked for; every other mode decides here.
  if (IsLoopbackHost(host)) return std::string();
  switch (session.accessType) {
    case INTERNET_OPEN_TYPE_PRECONFIG:
      return std::nullopt;
    case INTERNET_OPEN_TYPE_PROXY: {
      if (HostIsBypassed(session.bypassList, host)) return std::string();
      ProxyList proxies = ParseProxyList(session.proxyList);
      return secure ? proxies.https : proxies.http;
    }
    default:
      return std::string();
  }
}

std::vector<std::string> SplitHeaderLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

std::optional<std::string> HeaderValue(const std::string& rawHeaders, const std::string& lowerName) {
  for (const std::string& line : SplitHeaderLines(rawHeaders)) {
    std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string name = line.substr(0, colon);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    if (Lower(name) != lowerName) continue;
    std::size_t begin = line.find_first_not_of(" \t", colon + 1);
    std::size_t end = line.find_last_not_of(" \t");
    return begin == std::string::npos ? std::string() : line.substr(begin, end - begin + 1);
  }
  return std::nullopt;
}

DWORD ErrorFor(CURLcode result) {
  switch (result) {
    case CURLE_OPERATION_TIMEDOUT:
      return ERROR_INTERNET_TIMEOUT;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT:
      return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
      return ERROR_INTERNET_SEC_CERT_ERRORS;
    case CURLE_UNSUPPORTED_PROTOCOL:
      return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
    case CURLE_WEIRD_SERVER_REPLY:
      return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    default:
      return ERROR_INTERNET_CONNECTION_ABORTED;
  }
}

}  // namespace

HINTERNET InternetOpenA(LPCSTR agent, DWORD accessType, LPCSTR proxy, LPCSTR proxyBypass, DWORD) {
  auto settings = std::make_shared<SessionSettings>();
  settings->agent = agent ? agent : "";
  settings->accessType = accessType;
  if (accessType == INTERNET_OPEN_TYPE_PROXY) {
    // A proxy session without a single usable proxy entry is a caller's mistake.
    ProxyList proxies = ParseProxyList(proxy ? proxy : "");
    if (proxies.http.empty() && proxies.https.empty()) return FailHandle(ERROR_INVALID_PARAMETER);
    settings->proxyList = proxy;
    settings->bypassList = proxyBypass ? proxyBypass : "";
  } else if (accessType != INTERNET_OPEN_TYPE_DIRECT && accessType != INTERNET_OPEN_TYPE_PRECONFIG) {
    return FailHandle(ERROR_INVALID_PARAMETER);
  }
  auto handle = std::make_unique<SessionHandle>();
  handle->settings = std::move(settings);
  return RegisterHandle(std::move(handle));
}

HINTERNET InternetConnectA(HINTERNET internet, LPCSTR serverName, INTERNET_PORT port, LPCSTR userName,
                           LPCSTR password, DWORD service, DWORD, DWORD_PTR) {
  auto* session = dynamic_cast<SessionHandle*>(LookUpAnyHandle(internet));
  if (!session) return FailHandle(ERROR_INVALID_HANDLE);
  if (service != INTERNET_SERVICE_HTTP) return FailHandle(ERROR_INVALID_PARAMETER);
  std::string host = serverName ? serverName : "";
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  if (!IsAcceptableHostName(host)) return FailHandle(ERROR_INTERNET_NAME_NOT_RESOLVED);
  auto server = std::make_shared<ServerSettings>();
  server->session = session->settings;
  server->host = host;
  server->port = port;
  server->userName = userName ? userName : "";
  server->password = password ? password : "";
  auto handle = std::make_unique<ConnectionHandle>();
  handle->server = std::move(server);
  return RegisterHandle(std::move(handle));
}

HINTERNET HttpOpenRequestA(HINTERNET connect, LPCSTR verb, LPCSTR objectName, LPCSTR version, LPCSTR,
                           LPCSTR*, DWORD flags, DWORD_PTR) {
  auto* connection = dynamic_cast<ConnectionHandle*>(LookUpAnyHandle(connect));
  if (!connection) return FailHandle(ERROR_INVALID_HANDLE);
  if (verb && !IsToken(verb)) return FailHandle(ERROR_INVALID_PARAMETER);
  auto handle = std::make_unique<RequestHandle>();
  handle->server = connection->server;
  handle->verb = verb ? verb : "GET";
  handle->path = EscapedPath(objectName);
  handle->http10 = version && Lower(version) == "http/1.0";
  handle->flags = flags;
  return RegisterHandle(std::move(handle));
}

BOOL HttpSendRequestA(HINTERNET request, LPCSTR headers, DWORD headersLength, LPVOID optional,
                      DWORD optionalLength) {
  auto* r = dynamic_cast<RequestHandle*>(LookUpAnyHandle(request));
  if (!r) return Fail(ERROR_INVALID_HANDLE);
  r->exchange.reset();

  std::string_view headerText;
  if (headers) {
    headerText = headersLength == static_cast<DWORD>(-1) ? std::string_view(headers)
                                                          : std::string_view(headers, headersLength);
    headerText = headerText.substr(0, headerText.find('\0'));
  }
  std::vector<std::string> lines = SplitHeaderLines(headerText);
  std::string verb = r->verb;
  // A POST always states its length, even for an empty body; other verbs carry a body
  // only when one is given.
  bool withBody = (optional && optionalLength > 0) || verb == "POST";
  r->body.assign(optional ? static_cast<const char*>(optional) : "", optional ? optionalLength : 0);

  const ServerSettings& server = *r->server;
  const SessionSettings& session = *server.session;
  const bool secure = (r->flags & INTERNET_FLAG_SECURE) != 0;
  const std::string origin = OriginUrl(server, secure);
  std::string url = origin + r->path;

  for (int redirects = 0;; ++redirects) {
    ExchangePlan plan;
    plan.url = url;
    plan.verb = verb;
    plan.http10 = r->http10;
    plan.headerLines = lines;
    plan.body = withBody ? &r->body : nullptr;
    plan.userAgent = session.agent;
    plan.proxy = ProxyFor(session, url);
    plan.useCookieStore = (r->flags & INTERNET_FLAG_NO_COOKIES) == 0;
    if (OriginOf(url) == Lower(origin)) {  // credentials never travel to another server
      plan.userName = server.userName;
      plan.password = server.password;
    }
    auto exchange = std::make_unique<Exchange>(plan, &r->waitCallback);
    if (!exchange->AwaitHeaders()) return Fail(ErrorFor(exchange->result()));

    int status = exchange->status();
    std::optional<std::string> location;
    if (!(r->flags & INTERNET_FLAG_NO_AUTO_REDIRECT) && IsRedirectStatus(status)) {
      location = HeaderValue(exchange->rawHeaders(), "location");
      if (location && location->empty()) location.reset();  // nowhere to go: the answer stands
    }
    if (!location) {
      r->exchange = std::move(exchange);
      return TRUE;
    }
    std::optional<std::string> next = ResolveRedirect(url, *location);
    if (redirects == kMaxRedirects || !next || LeavesTls(url, *next)) return Fail(ERROR_HTTP_REDIRECT_FAILED);
    NextRequest after = RequestAfterRedirect(status, verb);
    verb = after.verb;
    withBody = withBody && after.keepBody;
    url = *next;
  }
}

BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, LPDWORD read) {
  if (!read) return Fail(ERROR_INVALID_PARAMETER);
  *read = 0;
  auto* r = dynamic_cast<RequestHandle*>(LookUpAnyHandle(file));
  if (!r) return Fail(ERROR_INVALID_HANDLE);
  if (!r->exchange) return Fail(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  if (toRead == 0) return TRUE;
  if (!buffer) return Fail(ERROR_INVALID_PARAMETER);
  *read = static_cast<DWORD>(r->exchange->Read(static_cast<char*>(buffer), toRead));
  if (*read == 0 && r->exchange->failed()) return Fail(ErrorFor(r->exchange->result()));
  return TRUE;
}

BOOL HttpQueryInfoA(HINTERNET request, DWORD infoLevel, LPVOID buffer, LPDWORD length, LPDWORD) {
  auto* r = dynamic_cast<RequestHandle*>(LookUpAnyHandle(request));
  if (!r) return Fail(ERROR_INVALID_HANDLE);
  if (!length) return Fail(ERROR_INVALID_PARAMETER);
  if (!r->exchange) return Fail(ERROR_INTERNET_INCORRECT_HANDLE_STATE);

  std::string answer;
  switch (infoLevel & ~HTTP_QUERY_FLAG_NUMBER) {
    case HTTP_QUERY_RAW_HEADERS_CRLF:
      answer = r->exchange->rawHeaders();
      break;
    case HTTP_QUERY_STATUS_CODE:
      answer = std::to_string(r->exchange->status());
      break;
    case HTTP_QUERY_CONTENT_LENGTH: {
      auto value = HeaderValue(r->exchange->rawHeaders(), "content-length");
      if (!value) return Fail(ERROR_HTTP_HEADER_NOT_FOUND);
      answer = *value;
      break;
    }
    default:
      return Fail(ERROR_INVALID_PARAMETER);
  }

  if (infoLevel & HTTP_QUERY_FLAG_NUMBER) {
    char* end = nullptr;
    unsigned long long number = std::strtoull(answer.c_str(), &end, 10);
    if (answer.empty() || *end || number > 0xFFFFFFFFull) return Fail(ERROR_HTTP_INVALID_SERVER_RESPONSE);
    if (!buffer || *length < sizeof(DWORD)) {
      *length = sizeof(DWORD);
      return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    DWORD value = static_cast<DWORD>(number);
    std::memcpy(buffer, &value, sizeof value);
    *length = sizeof(DWORD);
    return TRUE;
  }
  if (!buffer || *length < answer.size() + 1) {
    *length = static_cast<DWORD>(answer.size() + 1);
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(buffer, answer.c_str(), answer.size() + 1);
  *length = static_cast<DWORD>(answer.size());
  return TRUE;
}

BOOL InternetCloseHandle(HINTERNET handle) {
  return CloseRegisteredHandle(handle) ? TRUE : Fail(ERROR_INVALID_HANDLE);
}

void SetInternetWaitCallback(HINTERNET request, std::function<void()> callback) {
  if (auto* r = dynamic_cast<RequestHandle*>(LookUpAnyHandle(request))) r->waitCallback = std::move(callback);
}
