#include "web/web_request.h"

#include "platform/curl_handle.h"
#include "platform/gbk_text.h"
#include "web/cookies.h"
#include "web/header_text.h"

#include <chrono>
#include <string_view>
#include <utility>
#include <vector>

namespace qimubox {

namespace {

using Clock = std::chrono::steady_clock;

constexpr long defaultTimeoutMs = 15000;
constexpr long maximumRedirects = 10;

// What one transfer collects, and the clock of its inactivity limit.
struct Transfer {
  CURL* curl = nullptr;
  std::string body;
  std::string headerText;       // header lines of the latest response only
  long idleLimitMs = 0;         // 0: no inactivity limit
  Clock::time_point lastActivity = Clock::now();
  curl_off_t lastUploaded = 0;
};

size_t receiveBody(char* data, size_t size, size_t count, void* userdata) {
  auto* transfer = static_cast<Transfer*>(userdata);
  transfer->body.append(data, size * count);
  transfer->lastActivity = Clock::now();
  return size * count;
}

// Every response (a redirect, a "100 Continue", the final one) starts with its
// status line; starting over there keeps only the final response's headers.
size_t receiveHeaderLine(char* data, size_t size, size_t count, void* userdata) {
  auto* transfer = static_cast<Transfer*>(userdata);
  const std::string_view line(data, size * count);
  transfer->lastActivity = Clock::now();
  if (line.starts_with("HTTP/")) {
    transfer->headerText.clear();
  } else if (line != "\r\n" && line != "\n") {
    transfer->headerText.append(line);
  }
  return size * count;
}

// Sending and receiving are limited by inactivity rather than by the length of
// the whole transfer, so a large body that keeps arriving is never cut off.
// Until the request is under way the connection time-out is the one in force.
int watchInactivity(void* userdata, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded) {
  auto* transfer = static_cast<Transfer*>(userdata);
  const Clock::time_point now = Clock::now();
  curl_off_t pretransfer = 0;
  curl_easy_getinfo(transfer->curl, CURLINFO_PRETRANSFER_TIME_T, &pretransfer);
  if (pretransfer == 0 || uploaded != transfer->lastUploaded) {
    transfer->lastActivity = now;
    transfer->lastUploaded = uploaded;
    return 0;
  }
  const auto idle = std::chrono::duration_cast<std::chrono::milliseconds>(now - transfer->lastActivity);
  return idle.count() > transfer->idleLimitMs ? 1 : 0;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && findText(a, b, 1, true) == 1;
}

// Request headers with the replace-on-same-name behaviour of setting a header:
// a second header of the same name takes the place of the first.
class RequestHeaders {
 public:
  void set(const std::string& name, const std::string& value) {
    if (name.empty()) return;
    // A lone CR or LF would let a value start a header line of its own.
    if (name.find_first_of("\r\n") != std::string::npos || value.find_first_of("\r\n") != std::string::npos) {
      return;
    }
    for (auto& header : headers_) {
      if (equalIgnoringCase(header.first, name)) {
        header.second = value;
        return;
      }
    }
    headers_.emplace_back(name, value);
  }

  bool has(std::string_view name) const {
    for (const auto& header : headers_) {
      if (equalIgnoringCase(header.first, name)) return true;
    }
    return false;
  }

  // libcurl's own headers are switched off ("Name:") unless the caller set
  // them, so that only the caller's headers (and Host) go out; an empty value
  // needs the "Name;" form to be sent at all.
  CurlHeaderList toCurlList(bool hasBody) const {
    CurlHeaderList list = emptyHeaderList();
    for (const auto& [name, value] : headers_) {
      appendHeader(list, value.empty() ? name + ";" : name + ": " + value);
    }
    if (!has("Accept")) appendHeader(list, "Accept:");
    if (!has("Expect")) appendHeader(list, "Expect:");
    if (hasBody && !has("Content-Type")) appendHeader(list, "Content-Type:");
    return list;
  }

 private:
  std::vector<std::pair<std::string, std::string>> headers_;
};

RequestHeaders requestHeadersFor(const WebRequest& request) {
  RequestHeaders headers;
  if (!request.cookies.empty()) headers.set("Cookie", request.cookies);
  if (findText(request.headers, "\r\n") < 0) {
    headers.set(headerName(request.headers), headerValue(request.headers));
  } else {
    for (const std::string& line : splitText(request.headers, "\r\n")) {
      if (!line.empty()) headers.set(headerName(line), headerValue(line));
    }
  }
  return headers;
}

void applyTimeouts(CURL* curl, Transfer& transfer, int timeoutSeconds) {
  if (timeoutSeconds == -1) return;
  const long ms = timeoutSeconds < 1 ? defaultTimeoutMs : static_cast<long>(timeoutSeconds) * 1000L;
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, ms);
  transfer.idleLimitMs = ms;
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &watchInactivity);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
}

void applyProxy(CURL* curl, const WebRequest& request) {
  // An empty proxy also keeps libcurl from taking one from the environment.
  curl_easy_setopt(curl, CURLOPT_PROXY, request.proxy.c_str());
  if (request.proxy.empty() || request.proxyUser.empty()) return;
  if (request.proxyFlag == 1) {
    curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, request.proxyUser.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, request.proxyPassword.c_str());
  } else if (request.proxyFlag == 0) {
    curl_easy_setopt(curl, CURLOPT_USERNAME, request.proxyUser.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, request.proxyPassword.c_str());
  }
}

// POST when asked; otherwise GET, which still carries a body when one is given.
void applyVerbAndBody(CURL* curl, int method, const std::string& body) {
  if (method == 1 || !body.empty()) {
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    if (method != 1) curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "GET");
  } else {
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  }
}

// Picks the redirect target and the cookies this response sets out of its
// header lines.
void readResponseHeaders(WebRequest& request) {
  request.receivedCookies.clear();
  request.redirectLocation.clear();
  for (const std::string& line : splitText(request.responseHeaders, "\r\n")) {
    if (findText(line, "Location:") > 0) request.redirectLocation = headerValue(line);
    if (findText(line, "Set-Cookie") > 0) {
      request.receivedCookies.append(trimSpaces(textBetween(line, "Set-Cookie:", ";"))).append("; ");
    }
  }
}

}  // namespace

std::string defaultHeaderBlock(const std::string& url) {
  return "Referer: " + url +
         "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
         "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)\r\n"
         "Content-Type: application/x-www-form-urlencoded";
}

std::string sendWebRequest(WebRequest& request) {
  CurlHandle handle = makeCurlHandle();
  if (!handle) return {};
  CURL* curl = handle.get();

  Transfer transfer;
  transfer.curl = curl;
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  // Addresses come from the catalog; only web addresses may be fetched, never
  // local files or other schemes, also not by a redirect.
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  applyTimeouts(curl, transfer, request.timeoutSeconds);
  applyProxy(curl, request);
  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, request.noRedirect ? 0L : 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, maximumRedirects);

  if (request.headers.empty()) request.headers = defaultHeaderBlock(request.url);
  const std::string& body = request.postBytes.empty() ? request.postText : request.postBytes;
  const CurlHeaderList headerList = requestHeadersFor(request).toCurlList(!body.empty() || request.method == 1);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headerList.get());
  applyVerbAndBody(curl, request.method, body);

  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &receiveBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &receiveHeaderLine);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);

  // A failed transfer leaves neither a body nor headers, not even partial ones.
  if (curl_easy_perform(curl) == CURLE_OK) {
    request.responseHeaders = std::move(transfer.headerText);
  } else {
    transfer.body.clear();
    request.responseHeaders.clear();
  }

  readResponseHeaders(request);
  mergeCookies(request.cookies, request.receivedCookies);
  if (request.redirectLocation.empty()) request.redirectLocation = request.responseHeaders;
  return std::move(transfer.body);
}

}  // namespace qimubox
