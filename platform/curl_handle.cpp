#include "platform/curl_handle.h"

#include <mutex>

namespace qimubox {

CurlHandle makeCurlHandle() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  return CurlHandle(curl_easy_init(), &curl_easy_cleanup);
}

CurlHeaderList emptyHeaderList() { return CurlHeaderList(nullptr, &curl_slist_free_all); }

void appendHeader(CurlHeaderList& list, const std::string& line) {
  if (curl_slist* grown = curl_slist_append(list.get(), line.c_str())) {
    (void)list.release();
    list.reset(grown);
  }
}

}  // namespace qimubox
