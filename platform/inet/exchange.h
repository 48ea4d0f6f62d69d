// One HTTP request and its response with one server, driven on the caller's thread
// through libcurl's multi interface. The body is handed out as it arrives: when the
// caller does not read, the transfer pauses, so no more than a small window is held.
#pragma once

#include <curl/curl.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct ExchangePlan {
  std::string url;  // absolute, http or https
  std::string verb;
  bool http10 = false;
  std::vector<std::string> headerLines;  // sent as written, in this order
  const std::string* body = nullptr;     // sent when not null; must outlive the exchange
  std::string userAgent;                 // empty: no User-Agent line of our own
  std::optional<std::string> proxy;      // "host:port"; "" direct; nothing: environment
  bool useCookieStore = false;
  std::string userName, password;  // empty: none
};

class Exchange {
 public:
  // tick is run at most every 100 ms while the exchange waits; it may be empty.
  Exchange(const ExchangePlan& plan, const std::function<void()>* tick);
  ~Exchange();
  Exchange(const Exchange&) = delete;
  Exchange& operator=(const Exchange&) = delete;

  // Drives the exchange until the final response's headers are in. False when it failed
  // before that (no connection, TLS refused, time-out, malformed answer).
  bool AwaitHeaders();

  int status() const { return status_; }
  // The final response's status line and header lines, each ended by CRLF, then CRLF.
  const std::string& rawHeaders() const { return headers_; }

  // Copies up to size body bytes; 0 at the end of the body or on failure.
  std::size_t Read(char* buffer, std::size_t size);
  // The exchange ended in an error: no connection, a broken or stalled transfer.
  bool failed() const { return done_ && result_ != CURLE_OK; }
  CURLcode result() const { return result_; }

 private:
  using Clock = std::chrono::steady_clock;

  static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
  static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self);
  static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent);
  static int OnConnected(void* self, char*, char*, int, int);

  void Configure(const ExchangePlan& plan);
  void PumpUntil(const std::function<bool()>& enough);
  void Finish(CURLcode result);
  std::size_t Available() const { return pending_.size() - readAt_; }

  CURL* easy_ = nullptr;
  CURLM* multi_ = nullptr;
  curl_slist* headerList_ = nullptr;
  const std::function<void()>* tick_;
  long stallMs_;

  bool done_ = false;
  CURLcode result_ = CURLE_OK;
  bool connected_ = false;
  bool paused_ = false;
  bool headersDone_ = false;
  int status_ = 0;
  std::string headers_;
  std::string pending_;
  std::size_t readAt_ = 0;
  curl_off_t lastSent_ = 0;
  Clock::time_point lastActivity_;
  Clock::time_point lastTick_;
};
