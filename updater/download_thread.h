// The updater's download thread: one job at a time, stopped cooperatively.
#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <stop_token>
#include <thread>

namespace qimubox {

class DownloadThread {
 public:
  using Job = std::function<void(std::stop_token)>;

  DownloadThread() = default;
  // Stops a running job and waits for it.
  ~DownloadThread();
  DownloadThread(const DownloadThread&) = delete;
  DownloadThread& operator=(const DownloadThread&) = delete;

  // Starts `job` on a new thread. False when a job is still running or the
  // system could not make a thread.
  bool start(Job job);

  // Asks the running job to stop and waits at most `limit` for it to end.
  // True when no job runs any more (the thread has then been joined).
  bool stop(std::chrono::milliseconds limit);

  bool running() const;

 private:
  std::jthread thread_;
  std::future<void> finished_;
};

}  // namespace qimubox
