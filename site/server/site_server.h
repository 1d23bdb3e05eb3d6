// The site server: static files (icons, banners, the update package) with
// byte ranges, and the statistics endpoint /hezi/tongji.php.
#pragma once

#include "site/server/usage_store.h"

#include <httplib.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace qimubox::site {

class SiteServer {
 public:
  // Serves the files below `root` and counts uses in `usage`, which must
  // outlive the server.
  SiteServer(const std::filesystem::path& root, UsageStore& usage);
  SiteServer(const SiteServer&) = delete;
  SiteServer& operator=(const SiteServer&) = delete;

  // Listens on address:port (port 0 picks a free one); the port, or -1.
  int bind(const std::string& address, int port);
  // Answers requests until stop(); false when it could not serve at all.
  bool run();
  // True once run() answers requests; waits at most `limit` for it.
  bool waitUntilRunning(std::chrono::milliseconds limit);
  // Ends run() from any thread; only once run() is under way (see above).
  void stop();

 private:
  void answerStatistics(const httplib::Request& request, httplib::Response& response);
  void answerStaticFile(const httplib::Request& request, httplib::Response& response);

  std::filesystem::path root_;
  UsageStore& usage_;
  httplib::Server server_;
};

}  // namespace qimubox::site
