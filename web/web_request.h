// One synchronous HTTP request with headers, cookies, a body, a proxy and
// redirects, returning the response body as bytes.
#pragma once

#include <string>

namespace qimubox {

// The parameters of one call of sendWebRequest, in their fixed order. Fields
// marked out are written back by the call; in/out fields are read and written.
struct WebRequest {
  std::string url;              // in: the address to request
  int method = 0;               // in: 1 sends POST, anything else GET
  std::string postText;         // in: request body when postBytes is empty
  std::string cookies;          // in/out: sent as Cookie; on return merged with receivedCookies
  std::string receivedCookies;  // out: the cookies this response sets, without spaces
  std::string headers;          // in/out: header lines separated by CR LF; empty gets the default block
  std::string redirectLocation; // out: the last "Location:" value, else the whole responseHeaders
  bool noRedirect = false;      // in: on stops redirects from being followed
  std::string postBytes;        // in: request body as bytes, sent in preference to postText
  std::string proxy;            // in: proxy address; empty goes direct
  std::string responseHeaders;  // out: header lines of the final response, each ending in CR LF
  int timeoutSeconds = 0;       // in: -1 keeps libcurl's own limits, below 1 gives 15 s
  std::string proxyUser;        // in: proxy user name (used only together with proxy)
  std::string proxyPassword;    // in: proxy password
  int proxyFlag = 1;            // in: 1 gives the credentials to the proxy, 0 to the server
};

// The header block sent when the caller gives no header lines: Referer (the
// url), Accept, Accept-Language, User-Agent and Content-Type.
std::string defaultHeaderBlock(const std::string& url);

// Performs the request and returns the body bytes: empty when there is no
// body or the request failed. Nothing is thrown or shown. When no transfer
// handle can be made, returns empty and leaves every field untouched.
std::string sendWebRequest(WebRequest& request);

}  // namespace qimubox
