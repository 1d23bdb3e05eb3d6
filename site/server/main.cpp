// qimubox-site: the site server of the demo catalog. Ends on SIGINT/SIGTERM.
#include "site/server/site_options.h"
#include "site/server/site_server.h"
#include "site/server/usage_counter.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <thread>

#include <pthread.h>
#include <signal.h>

using namespace qimubox::site;

int main(int argc, char** argv) {
  const ParsedOptions parsed = parseSiteOptions(std::vector<std::string>(argv + 1, argv + argc), QIMUBOX_SITE_ROOT);
  if (parsed.outcome == ParsedOptions::Outcome::help) {
    std::cout << siteUsage();
    return 0;
  }
  if (parsed.outcome == ParsedOptions::Outcome::error) {
    std::cerr << "qimubox-site: " << parsed.message << "\n\n" << siteUsage();
    return 2;
  }
  const SiteOptions& options = parsed.options;
  if (!std::filesystem::is_directory(options.root)) {
    std::cerr << "qimubox-site: '" << options.root << "' is not a folder\n";
    return 1;
  }

  // Blocked before any thread starts, so that only the waiter below takes them.
  sigset_t endSignals;
  sigemptyset(&endSignals);
  sigaddset(&endSignals, SIGINT);
  sigaddset(&endSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);

  UsageCounter counter(options.database);
  SiteServer server(options.root, counter);
  const int port = server.bind(options.address, options.port);
  if (port < 0) {
    std::cerr << "qimubox-site: cannot listen on " << options.address << ':' << options.port << '\n';
    return 1;
  }
  if (!counter.total()) {
    std::cerr << "qimubox-site: the usage counter in " << options.database.name << " on " << options.database.host
              << ':' << options.database.port << " cannot be read yet; statistics answer 503 until it can\n";
  }
  std::cout << "qimubox-site: http://" << options.address << ':' << port << "/ serves " << options.root
            << std::endl;

  std::atomic<bool> ended = false;
  std::thread waiter([&] {
    int signal = 0;
    sigwait(&endSignals, &signal);
    if (!ended && server.waitUntilRunning(std::chrono::seconds(5))) server.stop();
  });
  const bool served = server.run();
  // Wakes the waiter when the server ended by itself.
  ended = true;
  pthread_kill(waiter.native_handle(), SIGTERM);
  waiter.join();
  return served ? 0 : 1;
}
