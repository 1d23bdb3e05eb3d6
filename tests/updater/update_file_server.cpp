#include "tests/updater/update_file_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace qimubox::testing {
namespace {

constexpr std::size_t kPieceBytes = 64 * 1024;
// A stalled response gives up on its own after this long.
constexpr auto kLongestStall = std::chrono::seconds(10);

// The first byte of "bytes=N-", or 0 when there is no such range.
std::size_t rangeStart(const std::string& header) {
  const std::string prefix = "bytes=";
  if (header.rfind(prefix, 0) != 0) return 0;
  return static_cast<std::size_t>(std::stoull("0" + header.substr(prefix.size())));
}

}  // namespace

std::string makeUpdateFile(std::size_t size) {
  std::string file(size, '\0');
  std::uint32_t value = 2463534242u;
  for (char& byte : file) {
    value ^= value << 13;
    value ^= value >> 17;
    value ^= value << 5;
    byte = static_cast<char>(value & 0xFF);
  }
  return file;
}

std::string refusedUrl() {
  // A port the system hands out and that is closed again without listening.
  const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(probe);
  return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/update.zip";
}

UpdateFileServer::UpdateFileServer(std::string file) : file_(std::move(file)) {
  server_.Get("/update.zip", [this](const httplib::Request& request, httplib::Response& response) {
    serve(request, response);
  });
  server_.Get("/missing.zip", [](const httplib::Request&, httplib::Response& response) {
    response.status = 404;
    response.set_content("<html>404 Not Found</html>", "text/html");
  });
  // Listening from here on; connections wait until the loop accepts them.
  port_ = server_.bind_to_any_port("127.0.0.1");
  thread_ = std::thread([this] { server_.listen_after_bind(); });
}

UpdateFileServer::~UpdateFileServer() {
  releaseStall();
  server_.stop();
  thread_.join();
}

std::string UpdateFileServer::url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/update.zip"; }

void UpdateFileServer::setFault(ServerFault fault, std::size_t faultAfterBytes) {
  std::lock_guard lock(mutex_);
  fault_ = fault;
  faultAfterBytes_ = faultAfterBytes;
  stalled_ = false;
  released_ = false;
}

std::vector<std::string> UpdateFileServer::rangeHeaders() const {
  std::lock_guard lock(mutex_);
  return rangeHeaders_;
}

std::size_t UpdateFileServer::bytesSent() const {
  std::lock_guard lock(mutex_);
  return bytesSent_;
}

bool UpdateFileServer::waitUntilStalled(int timeoutMs) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return stalled_; });
}

void UpdateFileServer::releaseStall() {
  std::lock_guard lock(mutex_);
  released_ = true;
  changed_.notify_all();
}

void UpdateFileServer::serve(const httplib::Request& request, httplib::Response& response) {
  const std::string range = request.get_header_value("Range");
  ServerFault fault;
  {
    std::lock_guard lock(mutex_);
    rangeHeaders_.push_back(range);
    fault = fault_;
  }
  if (fault == ServerFault::NotFound) {
    response.status = 404;
    response.set_content("<html>404 Not Found</html>", "text/html");
    return;
  }
  // The ranges are answered here, faults included; the library must not
  // slice the body a second time.
  const_cast<httplib::Request&>(request).ranges.clear();
  std::size_t start = fault == ServerFault::IgnoreRange ? 0 : rangeStart(range);
  if (start >= file_.size() && start > 0) {
    response.status = 416;
    response.set_header("Content-Range", "bytes */" + std::to_string(file_.size()));
    return;
  }
  if (start > 0) {
    response.status = 206;
    response.set_header("Content-Range", "bytes " + std::to_string(start) + "-" + std::to_string(file_.size() - 1) +
                                             "/" + std::to_string(file_.size()));
  }
  const std::size_t length = file_.size() - start;
  if (fault == ServerFault::NoContentLength) {
    response.set_chunked_content_provider("application/zip", [this, start](std::size_t offset, httplib::DataSink& sink) {
      if (start + offset >= file_.size()) {
        sink.done();
        return true;
      }
      return provide(start, offset, std::min(kPieceBytes, file_.size() - start - offset), sink);
    });
    return;
  }
  response.set_content_provider(length, "application/zip",
                                [this, start](std::size_t offset, std::size_t wanted, httplib::DataSink& sink) {
                                  return provide(start, offset, std::min(wanted, kPieceBytes), sink);
                                });
}

bool UpdateFileServer::provide(std::size_t start, std::size_t offset, std::size_t length, httplib::DataSink& sink) {
  ServerFault fault;
  std::size_t faultAfter;
  {
    std::lock_guard lock(mutex_);
    fault = fault_;
    faultAfter = faultAfterBytes_;
  }
  const bool midBodyFault = fault == ServerFault::DropMidBody || fault == ServerFault::StallMidBody;
  if (midBodyFault && offset >= faultAfter) {
    if (fault == ServerFault::StallMidBody) {
      std::unique_lock lock(mutex_);
      stalled_ = true;
      changed_.notify_all();
      changed_.wait_for(lock, kLongestStall, [this] { return released_; });
    }
    return false;  // the connection is closed mid-body
  }
  if (midBodyFault) length = std::min(length, faultAfter - offset);
  if (!sink.write(file_.data() + start + offset, length)) return false;
  std::lock_guard lock(mutex_);
  bytesSent_ += length;
  return true;
}

}  // namespace qimubox::testing
