// An HTTP server on a free loopback port inside the test process.
#pragma once

#include <httplib.h>

#include <string>
#include <thread>

namespace qimubox::testing {

class LocalHttpServer {
 public:
  LocalHttpServer() = default;
  ~LocalHttpServer() { stop(); }
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  httplib::Server& routes() { return server_; }
  // Call after the routes are set.
  void start() {
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // The socket listens from the bind on; requests wait in its queue until the loop runs.
  }
  void stop() {
    if (!thread_.joinable()) return;
    server_.stop();
    thread_.join();
  }
  std::string authority() const { return "127.0.0.1:" + std::to_string(port_); }
  std::string url(const std::string& path) const { return "http://" + authority() + path; }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

}  // namespace qimubox::testing
