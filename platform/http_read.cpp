#include "platform/http_read.h"

#include "platform/curl_handle.h"

namespace qimubox {
namespace {

std::size_t appendBody(char* data, std::size_t size, std::size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

}  // namespace

std::string httpReadFile(const std::string& url) {
  CurlHandle curl = makeCurlHandle();
  if (!curl) return {};
  std::string body;
  CurlHeaderList headers = emptyHeaderList();
  appendHeader(headers, "Cache-Control: no-cache");
  appendHeader(headers, "Pragma: no-cache");
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT_MS, 15000L);
  curl_easy_setopt(curl.get(), CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_LOW_SPEED_TIME, 15L);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &appendBody);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &body);
  if (curl_easy_perform(curl.get()) != CURLE_OK) return {};
  return body;
}

}  // namespace qimubox
