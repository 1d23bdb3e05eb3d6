// RAII owners of libcurl handles, shared by every HTTP client of the program.
#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>

namespace qimubox {

using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using CurlHeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

// A new easy handle (empty on failure); libcurl's global set-up runs once.
CurlHandle makeCurlHandle();

CurlHeaderList emptyHeaderList();
// Appends a header line; keeps the old list when libcurl cannot.
void appendHeader(CurlHeaderList& list, const std::string& line);

}  // namespace qimubox
