// A site server on a free loopback port, answering on its own thread for as
// long as the object lives, and a way to send it a request byte for byte.
#pragma once

#include "site/server/site_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

namespace qimubox::site {

class RunningSite {
 public:
  RunningSite(const std::filesystem::path& root, UsageStore& usage) : server_(root, usage) {
    port_ = server_.bind("127.0.0.1", 0);
    if (port_ < 0) throw std::runtime_error("no free loopback port");
    thread_ = std::thread([this] { server_.run(); });
    if (!server_.waitUntilRunning(std::chrono::seconds(5))) throw std::runtime_error("site server did not start");
  }
  ~RunningSite() {
    server_.stop();
    thread_.join();
  }
  RunningSite(const RunningSite&) = delete;
  RunningSite& operator=(const RunningSite&) = delete;

  int port() const { return port_; }

 private:
  SiteServer server_;
  int port_ = -1;
  std::thread thread_;
};

// Bytes of a complete reply at the start of `reply`, or npos while incomplete.
// A reply without Content-Length is complete when the server closes.
inline std::size_t completeReplyLength(const std::string& reply) {
  const std::size_t headEnd = reply.find("\r\n\r\n");
  if (headEnd == std::string::npos) return std::string::npos;
  const std::size_t field = reply.find("\r\nContent-Length: ");
  if (field == std::string::npos || field > headEnd) return std::string::npos;
  const std::size_t length = std::stoul(reply.substr(field + 18, 20));
  return reply.size() >= headEnd + 4 + length ? headEnd + 4 + length : std::string::npos;
}

// Sends `request` as it is on a fresh connection and returns the reply: what
// the server sends until its reply is complete or it closes (each wait
// bounded to 5 s).
inline std::string exchangeRaw(int port, const std::string& request) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string reply;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      write(fd, request.data(), request.size()) == static_cast<ssize_t>(request.size())) {
    pollfd p{fd, POLLIN, 0};
    char buffer[4096];
    while (completeReplyLength(reply) == std::string::npos && poll(&p, 1, 5000) == 1) {
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n <= 0) break;
      reply.append(buffer, static_cast<std::size_t>(n));
    }
  }
  close(fd);
  return reply;
}

}  // namespace qimubox::site
