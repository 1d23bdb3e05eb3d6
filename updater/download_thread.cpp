#include "updater/download_thread.h"

#include <system_error>

namespace qimubox {

DownloadThread::~DownloadThread() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

bool DownloadThread::running() const {
  return finished_.valid() && finished_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

bool DownloadThread::start(Job job) {
  if (running()) return false;
  if (thread_.joinable()) thread_.join();  // a finished job's thread
  std::promise<void> done;
  std::future<void> finished = done.get_future();
  try {
    thread_ = std::jthread([job = std::move(job), done = std::move(done)](std::stop_token stop) mutable {
      job(std::move(stop));
      done.set_value();
    });
  } catch (const std::system_error&) {
    return false;
  }
  finished_ = std::move(finished);
  return true;
}

bool DownloadThread::stop(std::chrono::milliseconds limit) {
  if (!thread_.joinable()) return true;
  thread_.request_stop();
  if (finished_.valid() && finished_.wait_for(limit) != std::future_status::ready) return false;
  thread_.join();
  return true;
}

}  // namespace qimubox
