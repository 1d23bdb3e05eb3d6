#include "site/server/site_server.h"

#include "site/server/static_files.h"

#include <sys/socket.h>

#include <cstdio>
#include <memory>
#include <thread>

namespace qimubox::site {

namespace {

// Enough workers for every client of a busy moment to keep its connection.
constexpr std::size_t workerThreads = 64;
constexpr std::size_t keepAliveRequests = 1000;
constexpr std::size_t requestBodyLimit = 64 * 1024;
constexpr std::size_t fileChunkBytes = 64 * 1024;

// What a statistics request asks for.
enum class StatisticsQuery { report, count, malformed };

// Exactly one parameter: var=times counts a use, return=times3 reads the count.
StatisticsQuery statisticsQueryOf(const httplib::Params& params) {
  if (params.size() != 1) return StatisticsQuery::malformed;
  const auto& [name, value] = *params.begin();
  if (name == "var" && value == "times") return StatisticsQuery::report;
  if (name == "return" && value == "times3") return StatisticsQuery::count;
  return StatisticsQuery::malformed;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

SiteServer::SiteServer(const std::filesystem::path& root, UsageStore& usage) : root_(root), usage_(usage) {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(root, error);
  if (!error) root_ = real;

  server_.new_task_queue = [] { return new httplib::ThreadPool(workerThreads); };
  server_.set_keep_alive_max_count(keepAliveRequests);
  // Headers and body go out in separate writes; without this the body of
  // every small reply waits for the client's delayed acknowledgement.
  server_.set_tcp_nodelay(true);
  server_.set_payload_max_length(requestBodyLimit);
  server_.Get("/hezi/tongji.php",
              [this](const httplib::Request& request, httplib::Response& response) { answerStatistics(request, response); });
  server_.Get(R"(/.*)",
              [this](const httplib::Request& request, httplib::Response& response) { answerStaticFile(request, response); });
}

int SiteServer::bind(const std::string& address, int port) {
  // The server library listens with a backlog of 5, too short for a crowd of
  // clients arriving at once: the rest would wait a second for their connect
  // to be retried. Listening again on the bound socket lengthens the queue.
  socket_t listening = -1;
  server_.set_socket_options([&listening](socket_t sock) {
    listening = sock;
    const int on = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  });
  const int bound = port == 0 ? server_.bind_to_any_port(address) : (server_.bind_to_port(address, port) ? port : -1);
  if (bound >= 0 && listening >= 0) ::listen(listening, SOMAXCONN);
  return bound;
}

bool SiteServer::run() { return server_.listen_after_bind(); }

bool SiteServer::waitUntilRunning(std::chrono::milliseconds limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (!server_.is_running()) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

void SiteServer::stop() { server_.stop(); }

void SiteServer::answerStatistics(const httplib::Request& request, httplib::Response& response) {
  response.set_header("Cache-Control", "no-store");
  switch (statisticsQueryOf(request.params)) {
    case StatisticsQuery::report:
      if (usage_.countOneUse()) {
        response.set_content("true", "text/plain");
      } else {
        response.status = 503;
        response.set_content("false", "text/plain");
      }
      return;
    case StatisticsQuery::count:
      if (const auto total = usage_.total()) {
        response.set_content(std::to_string(*total), "text/plain");
      } else {
        response.status = 503;
      }
      return;
    case StatisticsQuery::malformed:
      response.status = 400;
      return;
  }
}

void SiteServer::answerStaticFile(const httplib::Request& request, httplib::Response& response) {
  const auto path = staticFilePath(root_, request.path);
  std::error_code error;
  const std::uintmax_t size = path ? std::filesystem::file_size(*path, error) : 0;
  if (!path || error) {
    response.status = 404;
    return;
  }
  // The server library cuts the ranges out of the file as they stand in the
  // request; they are made to fit the file first. The request is the
  // library's own modifiable object, handed to handlers read-only.
  auto& ranges = const_cast<httplib::Request&>(request).ranges;
  if (!fitRanges(ranges, size)) {
    ranges.clear();
    response.status = 416;
    response.set_header("Content-Range", "bytes */" + std::to_string(size));
    return;
  }

  std::shared_ptr<std::FILE> file(std::fopen(path->c_str(), "rb"), FileCloser());
  if (!file) {
    response.status = 404;
    return;
  }
  response.set_header("Accept-Ranges", "bytes");
  // Streamed a chunk at a time, so that a large package never sits in memory.
  response.set_content_provider(
      size, contentTypeFor(*path), [file](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
        char buffer[fileChunkBytes];
        const std::size_t wanted = std::min(length, sizeof buffer);
        if (fseeko(file.get(), static_cast<off_t>(offset), SEEK_SET) != 0) return false;
        const std::size_t got = std::fread(buffer, 1, wanted, file.get());
        // A file cut short while being sent ends the connection.
        return got == wanted && sink.write(buffer, got);
      });
}

}  // namespace qimubox::site
