// Carrying a call from the download thread to the GUI thread and waiting for
// its result, unless the download is stopped first: a stop handler that waits
// for the download thread on the GUI thread must never wait for a call the
// GUI thread has not run yet.
#pragma once

#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>

#include "platform/gui_thread.h"

namespace qimubox {

// The result of `call` run on the thread of `context`, or `fallback` when
// `stop` is requested before it has run.
template <typename T>
T resultOnThreadOf(QObject* context, std::function<T()> call, const std::stop_token& stop, T fallback) {
  struct Pending {
    std::mutex mutex;
    std::condition_variable_any ready;
    std::optional<T> result;
  };
  // Shared, since the call may still run after the waiter has given up.
  auto pending = std::make_shared<Pending>();
  runOnThreadOf(context, [pending, call = std::move(call)] {
    T value = call();
    std::lock_guard lock(pending->mutex);
    pending->result = std::move(value);
    pending->ready.notify_all();
  });
  std::unique_lock lock(pending->mutex);
  if (!pending->ready.wait(lock, stop, [&] { return pending->result.has_value(); })) return fallback;
  return std::move(*pending->result);
}

// Runs `call` on the thread of `context` and waits for it, unless `stop` is
// requested first.
inline void runOnThreadOfUnlessStopped(QObject* context, std::function<void()> call, const std::stop_token& stop) {
  resultOnThreadOf<bool>(
      context,
      [call = std::move(call)] {
        call();
        return true;
      },
      stop, false);
}

}  // namespace qimubox
