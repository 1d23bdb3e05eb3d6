// An HTTP server inside the test process on 127.0.0.1 that serves one update
// file with ranges, and can be told to misbehave the ways real servers do.
#pragma once

#include <httplib.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qimubox::testing {

enum class ServerFault {
  None,
  IgnoreRange,      // always 200 with the whole file
  NoContentLength,  // chunked body, no length
  NotFound,         // 404 with an error page
  DropMidBody,      // closes the connection after faultAfterBytes body bytes
  StallMidBody,     // sends faultAfterBytes body bytes, then nothing until released
};

// A file of `size` bytes whose content depends on every position, so a body
// written at the wrong offset never compares equal.
std::string makeUpdateFile(std::size_t size);

// An address on 127.0.0.1 where nothing listens: connections are refused.
std::string refusedUrl();

class UpdateFileServer {
 public:
  explicit UpdateFileServer(std::string file);
  ~UpdateFileServer();
  UpdateFileServer(const UpdateFileServer&) = delete;
  UpdateFileServer& operator=(const UpdateFileServer&) = delete;

  // The fault of the next requests, and where a mid-body fault strikes.
  void setFault(ServerFault fault, std::size_t faultAfterBytes = 0);
  std::string url() const;  // the update file's address
  std::string missingUrl() const { return "http://127.0.0.1:" + std::to_string(port_) + "/missing.zip"; }

  // Range headers of the requests received so far, in order ("" for none).
  std::vector<std::string> rangeHeaders() const;
  // Body bytes handed to connections so far.
  std::size_t bytesSent() const;
  // Blocks until a stalled response has sent its bytes and is waiting.
  bool waitUntilStalled(int timeoutMs);
  // Lets a stalled response end (it then closes its connection).
  void releaseStall();

 private:
  void serve(const httplib::Request& request, httplib::Response& response);
  bool provide(std::size_t start, std::size_t offset, std::size_t length, httplib::DataSink& sink);

  const std::string file_;
  httplib::Server server_;
  int port_ = -1;
  std::thread thread_;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  ServerFault fault_ = ServerFault::None;
  std::size_t faultAfterBytes_ = 0;
  std::vector<std::string> rangeHeaders_;
  std::size_t bytesSent_ = 0;
  bool stalled_ = false;
  bool released_ = false;
};

}  // namespace qimubox::testing
