// One libcurl share object holds the cookies of every request of the process.
#include "platform/inet/cookie_store.h"

#include <mutex>

#include "platform/inet/test_hooks.h"

namespace {

// libcurl locks each kind of shared data on its own and may hold two kinds at once.
std::mutex g_locks[CURL_LOCK_DATA_LAST];

void Lock(CURL*, curl_lock_data data, curl_lock_access, void*) { g_locks[data].lock(); }
void Unlock(CURL*, curl_lock_data data, void*) { g_locks[data].unlock(); }

CURLSH* SharedStore() {
  static CURLSH* store = [] {
    CURLSH* share = curl_share_init();
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    curl_share_setopt(share, CURLSHOPT_LOCKFUNC, Lock);
    curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, Unlock);
    return share;
  }();
  return store;
}

}  // namespace

void UseSharedCookieStore(CURL* easy) {
  curl_easy_setopt(easy, CURLOPT_SHARE, SharedStore());
  curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");  // an empty name switches the engine on
}

void ClearInternetCookieStore() {
  CURL* easy = curl_easy_init();
  if (!easy) return;
  UseSharedCookieStore(easy);
  curl_easy_setopt(easy, CURLOPT_COOKIELIST, "ALL");
  curl_easy_cleanup(easy);
}
