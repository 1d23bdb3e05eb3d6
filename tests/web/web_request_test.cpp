#include "web/web_request.h"

#include <httplib.h>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <poll.h>

#include <chrono>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace qimubox {
namespace {

// An HTTP server on a free loopback port, running in this process.
class TestServer {
 public:
  TestServer() {
    server_.Get("/cookie", [this](const httplib::Request& req, httplib::Response& res) {
      record(req);
      res.set_header("Set-Cookie", "b=2; path=/");
      res.set_content("c", "text/plain");
    });
    server_.Get("/lowercookie", [](const httplib::Request&, httplib::Response& res) {
      res.set_header("set-cookie", "c=3; path=/");
      res.set_content("c", "text/plain");
    });
    server_.Get("/redirect", [](const httplib::Request&, httplib::Response& res) {
      res.set_redirect("/final");
      res.set_content("moved", "text/plain");
    });
    server_.Get("/final", [](const httplib::Request&, httplib::Response& res) {
      res.set_header("X-Final", "yes");
      res.set_content("final", "text/plain");
    });
    // Four pieces 400 ms apart: longer than a 1 s limit in all, never idle for 1 s.
    server_.Get("/slow", [](const httplib::Request&, httplib::Response& res) {
      res.set_chunked_content_provider("application/octet-stream", [](size_t offset, httplib::DataSink& sink) {
        if (offset >= 4) {
          sink.done();
          return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        sink.write("p", 1);
        return true;
      });
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
  }
  ~TestServer() {
    server_.stop();
    thread_.join();
  }

  std::string authority() const { return "127.0.0.1:" + std::to_string(port_); }
  std::string url(const std::string& path) const { return "http://" + authority() + path; }

  // The headers of the latest request to /cookie.
  std::map<std::string, std::string> seenHeaders() {
    std::lock_guard lock(mutex_);
    return seenHeaders_;
  }

 private:
  void record(const httplib::Request& req) {
    // The server library adds the peer's addresses as pseudo headers.
    static const std::set<std::string> pseudo = {"REMOTE_ADDR", "REMOTE_PORT", "LOCAL_ADDR", "LOCAL_PORT"};
    std::lock_guard lock(mutex_);
    seenHeaders_.clear();
    for (const auto& [name, value] : req.headers) {
      if (!pseudo.count(name)) seenHeaders_[name] = value;
    }
  }

  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::map<std::string, std::string> seenHeaders_;
};


// A loopback socket that listens but answers nothing by itself.
class Listener {
 public:
  Listener() : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd_, reinterpret_cast<sockaddr*>(&address), length);
    listen(fd_, 8);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~Listener() { close(fd_); }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  int fd() const { return fd_; }
  std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

 private:
  int fd_;
  int port_ = 0;
};

// Takes one request and keeps its bytes exactly as they came over the wire,
// for what the request headers of the library under test look like.
class RawCapture {
 public:
  RawCapture() : thread_([this] { serveOne(); }) {}
  ~RawCapture() {
    if (thread_.joinable()) thread_.join();
  }
  std::string url(const std::string& path) const { return listener_.url(path); }
  // The request as received, once it has been answered.
  std::string request() {
    thread_.join();
    return received_;
  }

 private:
  // Waits at most 5 s for each step, so a broken client cannot hang the test.
  bool readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 5000) == 1;
  }

  void serveOne() {
    if (!readable(listener_.fd())) return;
    const int client = accept(listener_.fd(), nullptr, nullptr);
    if (client < 0) return;
    std::size_t wanted = std::string::npos;
    char buffer[4096];
    while (received_.size() < wanted && readable(client)) {
      const ssize_t n = read(client, buffer, sizeof buffer);
      if (n <= 0) break;
      received_.append(buffer, static_cast<std::size_t>(n));
      const std::size_t headEnd = received_.find("\r\n\r\n");
      if (headEnd != std::string::npos && wanted == std::string::npos) {
        const std::size_t at = received_.find("Content-Length: ");
        const std::size_t length = at < headEnd ? std::stoul(received_.substr(at + 16)) : 0;
        wanted = headEnd + 4 + length;
      }
    }
    const std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
    (void)!write(client, reply.data(), reply.size());
    close(client);
  }

  Listener listener_;
  std::string received_;
  std::thread thread_;
};

class WebRequestTest : public ::testing::Test {
 protected:
  TestServer server;
};

// The request line, and the header lines after Host, of a captured request.
struct WireRequest {
  std::string requestLine;
  std::string headers;
  std::string body;
};

WireRequest splitWire(const std::string& raw) {
  const std::size_t lineEnd = raw.find("\r\n");
  const std::size_t hostEnd = raw.find("\r\n", lineEnd + 2);
  const std::size_t headEnd = raw.find("\r\n\r\n");
  if (lineEnd == std::string::npos || headEnd == std::string::npos) return {raw, "", ""};
  return {raw.substr(0, lineEnd), raw.substr(hostEnd + 2, headEnd + 2 - (hostEnd + 2)), raw.substr(headEnd + 4)};
}

TEST(WebRequestWire, UrlAloneSendsHostAndTheFiveDefaultHeaders) {
  RawCapture capture;
  WebRequest request;
  request.url = capture.url("/e");
  EXPECT_EQ(sendWebRequest(request), "ok");
  const std::string raw = capture.request();
  const WireRequest wire = splitWire(raw);
  EXPECT_EQ(wire.requestLine, "GET /e HTTP/1.1");
  const std::string authority = request.url.substr(7, request.url.find('/', 7) - 7);
  EXPECT_EQ(raw.find("Host: " + authority + "\r\n"), wire.requestLine.size() + 2);
  EXPECT_EQ(wire.headers, defaultHeaderBlock(request.url) + "\r\n");
  EXPECT_EQ(request.headers, defaultHeaderBlock(request.url));
}

TEST(WebRequestWire, CookieComesFirstThenTheGivenHeaderLines) {
  const struct {
    const char* cookies;
    const char* headers;
    const char* sent;  // header lines after Host
  } cases[] = {
      {"", "X-Only: 1", "X-Only: 1\r\n"},
      {"a=1", "X-Only: 1", "Cookie: a=1\r\nX-Only: 1\r\n"},
      // Empty pieces and a line without a colon set nothing; an empty value is still sent.
      {"", "A: 1\r\nno colon\r\n\r\nB:\r\n", "A: 1\r\nB:\r\n"},
      // A later line of the same name takes the place of the earlier one.
      {"", "A: 1\r\nC: 3\r\na: 2", "A: 2\r\nC: 3\r\n"},
      // A value with a lone line feed would smuggle in a header; it is not sent.
      {"", "A: 1\nInjected: yes\r\nC: 3", "C: 3\r\n"},
  };
  for (const auto& c : cases) {
    RawCapture capture;
    WebRequest request;
    request.url = capture.url("/e");
    request.cookies = c.cookies;
    request.headers = c.headers;
    EXPECT_EQ(sendWebRequest(request), "ok");
    const WireRequest wire = splitWire(capture.request());
    EXPECT_EQ(wire.headers, c.sent) << c.headers;
    EXPECT_EQ(request.headers, c.headers);
  }
}

TEST(WebRequestWire, BodiesKeepTheVerbTheMethodAsks) {
  const std::string bytes("x\0y", 3);
  const struct {
    int method;
    const char* postText;
    std::string postBytes;
    const char* requestLine;
    std::string body;
  } cases[] = {
      {0, "", bytes, "GET /e HTTP/1.1", bytes},
      {1, "text", bytes, "POST /e HTTP/1.1", bytes},
      {1, "text", "", "POST /e HTTP/1.1", "text"},
      {1, "", "", "POST /e HTTP/1.1", ""},
      {7, "", "", "GET /e HTTP/1.1", ""},
  };
  for (const auto& c : cases) {
    RawCapture capture;
    WebRequest request;
    request.url = capture.url("/e");
    request.method = c.method;
    request.postText = c.postText;
    request.postBytes = c.postBytes;
    request.headers = "X: 1";
    EXPECT_EQ(sendWebRequest(request), "ok");
    const WireRequest wire = splitWire(capture.request());
    EXPECT_EQ(wire.requestLine, c.requestLine) << c.method;
    EXPECT_EQ(wire.body, c.body) << c.method;
    // A body brings the length HTTP needs and nothing else of the library's own.
    const std::string expected =
        c.method == 1 || !c.body.empty() ? "X: 1\r\nContent-Length: " + std::to_string(c.body.size()) + "\r\n" : "X: 1\r\n";
    EXPECT_EQ(wire.headers, expected) << c.method;
  }
}

TEST_F(WebRequestTest, ResponseCookiesAreMergedIntoTheSentOnes) {
  WebRequest request;
  request.url = server.url("/cookie");
  request.cookies = "a=1";
  sendWebRequest(request);
  EXPECT_EQ(server.seenHeaders()["Cookie"], "a=1");
  EXPECT_EQ(request.receivedCookies, "b=2;");
  EXPECT_EQ(request.cookies, "b=2; a=1");

  WebRequest lower;
  lower.url = server.url("/lowercookie");
  lower.cookies = "a=1";
  EXPECT_EQ(sendWebRequest(lower), "c");
  EXPECT_NE(lower.responseHeaders.find("set-cookie: c=3"), std::string::npos);
  EXPECT_EQ(lower.receivedCookies, "");
  EXPECT_EQ(lower.cookies, "a=1");
}

TEST_F(WebRequestTest, RedirectsAreFollowedUnlessSwitchedOff) {
  WebRequest followed;
  followed.url = server.url("/redirect");
  EXPECT_EQ(sendWebRequest(followed), "final");
  // Only the final response's headers are kept, so there is no Location line.
  EXPECT_NE(followed.responseHeaders.find("X-Final: yes\r\n"), std::string::npos);
  EXPECT_EQ(followed.responseHeaders.find("Location"), std::string::npos);
  EXPECT_EQ(followed.responseHeaders.find("HTTP/"), std::string::npos);
  EXPECT_EQ(followed.redirectLocation, followed.responseHeaders);

  WebRequest stopped;
  stopped.url = server.url("/redirect");
  stopped.noRedirect = true;
  EXPECT_EQ(sendWebRequest(stopped), "moved");
  EXPECT_NE(stopped.responseHeaders.find("Location: /final\r\n"), std::string::npos);
  EXPECT_EQ(stopped.redirectLocation, "/final");
}

TEST_F(WebRequestTest, SteadyTransferOutlastsTheTimeOut) {
  WebRequest request;
  request.url = server.url("/slow");
  request.timeoutSeconds = 1;
  EXPECT_EQ(sendWebRequest(request), "pppp");
}

TEST(WebRequestFailure, SilentServerGivesEmptyResultsAfterTheTimeOut) {
  Listener listener;
  WebRequest request;
  request.url = listener.url("/x");
  request.timeoutSeconds = 1;
  request.redirectLocation = "stale";
  request.cookies = "a = 1";

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(sendWebRequest(request), "");
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::milliseconds(900));
  EXPECT_LT(elapsed, std::chrono::milliseconds(2500));
  EXPECT_EQ(request.responseHeaders, "");
  EXPECT_EQ(request.redirectLocation, "");
  EXPECT_EQ(request.receivedCookies, "");
  EXPECT_EQ(request.cookies, "a=1");
}

TEST(WebRequestFailure, RefusedConnectionAndOtherSchemesGiveEmptyBytes) {
  std::string closedUrl;
  {
    Listener listener;
    closedUrl = listener.url("/x");
  }
  for (const std::string& url : {closedUrl,
                                std::string("file:///etc/hostname"), std::string("not a url")}) {
    WebRequest request;
    request.url = url;
    EXPECT_EQ(sendWebRequest(request), "") << url;
    EXPECT_EQ(request.responseHeaders, "") << url;
  }
}

}  // namespace
}  // namespace qimubox
