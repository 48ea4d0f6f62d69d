// The WinInet calls Mirovel uses, with WinInet's names and values, carried out by libcurl.
#pragma once

#include <cstdint>

using HINTERNET = void*;  // opaque; null means "no handle"
using DWORD = std::uint32_t;
using DWORD_PTR = std::uintptr_t;
using BOOL = int;
using LPCSTR = const char*;
using LPVOID = void*;
using LPDWORD = DWORD*;
using INTERNET_PORT = unsigned short;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// InternetOpenA access types.
constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0;  // http_proxy, https_proxy, no_proxy
constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;     // no proxy; the environment is ignored
constexpr DWORD INTERNET_OPEN_TYPE_PROXY = 3;      // the proxy list given to InternetOpenA

// InternetConnectA.
constexpr DWORD INTERNET_SERVICE_HTTP = 3;
constexpr INTERNET_PORT INTERNET_INVALID_PORT_NUMBER = 0;  // the scheme's default port
constexpr INTERNET_PORT INTERNET_DEFAULT_HTTP_PORT = 80;
constexpr INTERNET_PORT INTERNET_DEFAULT_HTTPS_PORT = 443;

// HttpOpenRequestA flags.
constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
constexpr DWORD INTERNET_FLAG_NO_CACHE_WRITE = 0x04000000;
constexpr DWORD INTERNET_FLAG_SECURE = 0x00800000;
constexpr DWORD INTERNET_FLAG_KEEP_CONNECTION = 0x00400000;
constexpr DWORD INTERNET_FLAG_NO_AUTO_REDIRECT = 0x00200000;
constexpr DWORD INTERNET_FLAG_NO_COOKIES = 0x00080000;
constexpr DWORD INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP = 0x00008000;
constexpr DWORD INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS = 0x00004000;
constexpr DWORD INTERNET_FLAG_NO_UI = 0x00000200;
constexpr DWORD INTERNET_FLAG_PRAGMA_NOCACHE = 0x00000100;
constexpr DWORD INTERNET_FLAG_NEED_FILE = 0x00000010;

// HttpQueryInfoA information levels and modifier.
constexpr DWORD HTTP_QUERY_CONTENT_LENGTH = 5;
constexpr DWORD HTTP_QUERY_STATUS_CODE = 19;
constexpr DWORD HTTP_QUERY_RAW_HEADERS_CRLF = 22;
constexpr DWORD HTTP_QUERY_FLAG_NUMBER = 0x20000000;  // answer as a DWORD instead of text

// Error codes left for GetLastError by the calls below.
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
constexpr DWORD ERROR_INTERNET_UNRECOGNIZED_SCHEME = 12006;
constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
constexpr DWORD ERROR_INTERNET_CONNECTION_ABORTED = 12030;
constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_STATE = 12019;
constexpr DWORD ERROR_INTERNET_SEC_CERT_ERRORS = 12055;
constexpr DWORD ERROR_HTTP_HEADER_NOT_FOUND = 12150;
constexpr DWORD ERROR_HTTP_REDIRECT_FAILED = 12156;
constexpr DWORD ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;

// The session: the user agent and how to reach servers. proxy is a list of entries
// "[scheme=]address[:port]" separated by blanks or ";"; bypass names hosts that go
// direct. Loopback hosts always go direct. Null when agent is null or the type unknown.
HINTERNET InternetOpenA(LPCSTR agent, DWORD accessType, LPCSTR proxy, LPCSTR proxyBypass,
                        DWORD flags);

// A server of the session. Nothing is sent yet. Null for an empty host name, a host
// name with characters no host can have, or a service other than INTERNET_SERVICE_HTTP.
HINTERNET InternetConnectA(HINTERNET internet, LPCSTR serverName, INTERNET_PORT port,
                           LPCSTR userName, LPCSTR password, DWORD service, DWORD flags,
                           DWORD_PTR context);

// One request on the server: verb (null = "GET"), object path with query, version
// ("HTTP/1.0" or "HTTP/1.1"; null = "HTTP/1.1"). acceptTypes is accepted and unused:
// only the header text given to HttpSendRequestA is sent.
HINTERNET HttpOpenRequestA(HINTERNET connect, LPCSTR verb, LPCSTR objectName, LPCSTR version,
                           LPCSTR referrer, LPCSTR* acceptTypes, DWORD flags, DWORD_PTR context);

// Sends the request with exactly these header lines (CRLF-separated; length -1 means
// NUL-terminated) and the optional body, follows redirects, and returns once the final
// response's headers have arrived. FALSE when no response arrived; see GetLastError.
BOOL HttpSendRequestA(HINTERNET request, LPCSTR headers, DWORD headersLength, LPVOID optional,
                      DWORD optionalLength);

// Copies at most toRead body bytes into buffer and sets *read. *read is 0 at the end of
// the body (TRUE) and on failure (FALSE: broken connection, stall, nothing sent).
BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, LPDWORD read);

// Answers about the final response. HTTP_QUERY_RAW_HEADERS_CRLF gives the status line and
// header lines, each ended by CRLF, then CRLF, NUL-terminated; *length becomes the text's
// length without the NUL. When the buffer is too small (or null) it fails with
// ERROR_INSUFFICIENT_BUFFER and *length becomes the size needed, NUL included.
BOOL HttpQueryInfoA(HINTERNET request, DWORD infoLevel, LPVOID buffer, LPDWORD length,
                    LPDWORD index);

// Closes any handle; a request still transferring is abandoned. Closing a parent before
// its children is safe; an unknown or already closed handle gives FALSE.
BOOL InternetCloseHandle(HINTERNET handle);

// The error code of the last failed call on this thread.
DWORD GetLastError();
