// libcurl carrying one HTTP exchange, paused whenever the caller falls behind.
#include "platform/inet/exchange.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>
#include <set>

#include "platform/inet/cookie_store.h"
#include "platform/inet/test_hooks.h"

namespace {

// The body window: the transfer pauses once this much is waiting for the caller.
constexpr std::size_t kWindowBytes = 256 * 1024;
constexpr auto kTickEvery = std::chrono::milliseconds(100);

void InitialiseLibcurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string LowerName(std::string_view line, std::size_t colon) {
  std::string_view name = line.substr(0, colon);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
  std::string out(name);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The caller's lines as libcurl must be told them, plus the removal of libcurl's own
// lines that the caller did not ask for.
curl_slist* BuildHeaderList(const ExchangePlan& plan) {
  curl_slist* list = nullptr;
  std::set<std::string> names;
  for (const std::string& line : plan.headerLines) {
    std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;  // not a header line; nothing to send
    std::string name = LowerName(line, colon);
    if (name.empty()) continue;
    names.insert(name);
    bool blankValue = line.find_first_not_of(" \t", colon + 1) == std::string::npos;
    // libcurl reads "Name:" as "drop this header"; "Name;" is how it sends an empty one.
    std::string entry = blankValue ? line.substr(0, colon) + ";" : line;
    list = curl_slist_append(list, entry.c_str());
  }
  if (!names.count("accept")) list = curl_slist_append(list, "Accept:");
  if (!names.count("expect")) list = curl_slist_append(list, "Expect:");
  if (plan.body && !names.count("content-type")) list = curl_slist_append(list, "Content-Type:");
  return list;
}

}  // namespace

Exchange::Exchange(const ExchangePlan& plan, const std::function<void()>* tick) : tick_(tick) {
  InitialiseLibcurlOnce();
  stallMs_ = CurrentInternetSettings().stallTimeoutMs;
  lastActivity_ = lastTick_ = Clock::now();
  easy_ = curl_easy_init();
  multi_ = curl_multi_init();
  if (!easy_ || !multi_) {
    Finish(CURLE_OUT_OF_MEMORY);
    return;
  }
  Configure(plan);
  if (curl_multi_add_handle(multi_, easy_) != CURLM_OK) Finish(CURLE_FAILED_INIT);
}

Exchange::~Exchange() {
  if (multi_ && easy_) curl_multi_remove_handle(multi_, easy_);
  if (easy_) curl_easy_cleanup(easy_);
  if (multi_) curl_multi_cleanup(multi_);
  curl_slist_free_all(headerList_);
}

void Exchange::Configure(const ExchangePlan& plan) {
  const InternetTestSettings settings = CurrentInternetSettings();
  CURL* e = easy_;
  curl_easy_setopt(e, CURLOPT_URL, plan.url.c_str());
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);  // redirects are followed one level up
  curl_easy_setopt(e, CURLOPT_PATH_AS_IS, 1L);      // the path goes out as the caller wrote it
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_HTTP_VERSION,
                   plan.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(e, CURLOPT_BUFFERSIZE, 64L * 1024);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, settings.connectTimeoutMs);
  curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!settings.caFile.empty()) {
    curl_easy_setopt(e, CURLOPT_CAINFO, settings.caFile.c_str());
    curl_easy_setopt(e, CURLOPT_CAPATH, nullptr);  // trust that CA alone
  }

  if (plan.proxy) {
    curl_easy_setopt(e, CURLOPT_PROXY, plan.proxy->empty() ? "" : ("http://" + *plan.proxy).c_str());
    curl_easy_setopt(e, CURLOPT_NOPROXY, "");
  }
  curl_easy_setopt(e, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);

  if (!plan.userAgent.empty()) curl_easy_setopt(e, CURLOPT_USERAGENT, plan.userAgent.c_str());
  if (!plan.userName.empty() || !plan.password.empty()) {
    curl_easy_setopt(e, CURLOPT_USERNAME, plan.userName.c_str());
    curl_easy_setopt(e, CURLOPT_PASSWORD, plan.password.c_str());
  }
  if (plan.useCookieStore) UseSharedCookieStore(e);

  if (plan.body) {
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(plan.body->size()));
    curl_easy_setopt(e, CURLOPT_POSTFIELDS, plan.body->data());
    if (plan.verb != "POST") curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, plan.verb.c_str());
  } else if (plan.verb == "HEAD") {
    curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
  } else {
    curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
    if (plan.verb != "GET") curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, plan.verb.c_str());
  }
  headerList_ = BuildHeaderList(plan);
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, headerList_);

  curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &Exchange::OnHeader);
  curl_easy_setopt(e, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Exchange::OnBody);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &Exchange::OnProgress);
  curl_easy_setopt(e, CURLOPT_XFERINFODATA, this);
  curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(e, CURLOPT_PREREQFUNCTION, &Exchange::OnConnected);
  curl_easy_setopt(e, CURLOPT_PREREQDATA, this);
}

std::size_t Exchange::OnHeader(char* data, std::size_t size, std::size_t count, void* self) {
  auto* x = static_cast<Exchange*>(self);
  std::size_t length = size * count;
  x->lastActivity_ = Clock::now();
  std::string_view line(data, length);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (line.size() >= 5 && line.substr(0, 5) == "HTTP/") {
    // A new response begins: an interim 1xx one is replaced by what follows it.
    x->headers_.clear();
    x->status_ = 0;
    std::size_t space = line.find(' ');
    if (space != std::string_view::npos) {
      for (std::size_t i = space + 1; i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])); ++i) {
        x->status_ = x->status_ * 10 + (line[i] - '0');
        if (x->status_ > 999) break;
      }
    }
  }
  if (line.empty()) {
    if (x->status_ >= 200 || x->status_ < 100) {
      x->headers_ += "\r\n";
      x->headersDone_ = true;
    }
    return length;
  }
  x->headers_.append(line);
  x->headers_ += "\r\n";
  return length;
}

std::size_t Exchange::OnBody(char* data, std::size_t size, std::size_t count, void* self) {
  auto* x = static_cast<Exchange*>(self);
  std::size_t length = size * count;
  if (x->readAt_ == x->pending_.size()) {
    x->pending_.clear();
    x->readAt_ = 0;
  }
  if (x->Available() > 0 && x->Available() + length > kWindowBytes) {
    x->paused_ = true;
    return CURL_WRITEFUNC_PAUSE;  // libcurl keeps these bytes and offers them again
  }
  if (x->readAt_ > 0 && x->readAt_ >= x->pending_.size() / 2) {
    // Moving the unread rest down only once half is read keeps the copying linear.
    x->pending_.erase(0, x->readAt_);
    x->readAt_ = 0;
  }
  x->pending_.append(data, length);
  x->lastActivity_ = Clock::now();
  return length;
}

int Exchange::OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent) {
  auto* x = static_cast<Exchange*>(self);
  if (sent != x->lastSent_) {  // a large request body counts as activity too
    x->lastSent_ = sent;
    x->lastActivity_ = Clock::now();
  }
  return 0;
}

int Exchange::OnConnected(void* self, char*, char*, int, int) {
  auto* x = static_cast<Exchange*>(self);
  x->connected_ = true;  // from here on silence is a stall; before, the connect time-out rules
  x->lastActivity_ = Clock::now();
  return CURL_PREREQFUNC_OK;
}

void Exchange::Finish(CURLcode result) {
  if (done_) return;
  done_ = true;
  result_ = result;
  if (multi_ && easy_) curl_multi_remove_handle(multi_, easy_);
}

void Exchange::PumpUntil(const std::function<bool()>& enough) {
  while (!done_) {
    int running = 0;
    curl_multi_perform(multi_, &running);
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
      if (message->msg == CURLMSG_DONE) Finish(message->data.result);
    }
    if (done_ || enough()) return;
    auto now = Clock::now();
    if (connected_ && !paused_ && now - lastActivity_ > std::chrono::milliseconds(stallMs_)) {
      Finish(CURLE_OPERATION_TIMEDOUT);
      return;
    }
    curl_multi_poll(multi_, nullptr, 0, static_cast<int>(std::min<long>(100, stallMs_)), nullptr);
    now = Clock::now();
    if (tick_ && *tick_ && now - lastTick_ >= kTickEvery) {
      lastTick_ = now;
      (*tick_)();
    }
  }
}

bool Exchange::AwaitHeaders() {
  PumpUntil([this] { return headersDone_; });
  if (!headersDone_ && done_ && result_ == CURLE_OK && status_ > 0) headersDone_ = true;
  return headersDone_;
}

std::size_t Exchange::Read(char* buffer, std::size_t size) {
  if (size == 0) return 0;
  while (Available() == 0 && !done_) {
    if (paused_) {
      // Time spent by the caller between reads is not silence from the server.
      paused_ = false;
      lastActivity_ = Clock::now();
      curl_easy_pause(easy_, CURLPAUSE_CONT);
      if (Available() > 0) break;
    }
    PumpUntil([this] { return Available() > 0 || paused_; });
  }
  std::size_t n = std::min(size, Available());
  std::memcpy(buffer, pending_.data() + readAt_, n);
  readAt_ += n;
  return n;
}
