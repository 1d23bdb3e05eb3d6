#include "browser/usage_statistics.h"

#include <QMetaObject>
#include <QObject>
#include <cstring>
#include <string_view>
#include <thread>
#include <utility>

namespace qimubox {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A reply is taken as text: its bytes up to the first zero byte.
std::string replyText(const std::string& body) { return std::string(body.c_str(), strnlen(body.c_str(), body.size())); }

}  // namespace

std::string stripUtf8Bom(const std::string& text) {
  if (text.starts_with(kUtf8Bom)) return text.substr(kUtf8Bom.size());
  return text;
}

std::string pingUsageStatistics(const UsageStatisticsPing& ping) {
  for (int retries = 0;; ++retries) {
    if (stripUtf8Bom(replyText(ping.fetch(ping.baseUrl + "?var=times"))) == "true") break;
    if (retries >= ping.maxRetries) break;
    std::this_thread::sleep_for(ping.retryWait);
  }
  return stripUtf8Bom(replyText(ping.fetch(ping.baseUrl + "?return=times3")));
}

UsageCountMailbox::UsageCountMailbox(QObject* receiver, std::function<void(const std::string&)> deliver)
    : receiver_(receiver), deliver_(std::move(deliver)) {}

void UsageCountMailbox::post(const std::string& count) {
  // Under the lock the receiver cannot be closed, so it is alive while the
  // call is queued; Qt drops a queued call whose receiver is gone by then.
  const std::lock_guard<std::mutex> hold(mutex_);
  if (receiver_ == nullptr) return;
  QMetaObject::invokeMethod(
      receiver_, [deliver = deliver_, count] { deliver(count); }, Qt::QueuedConnection);
}

void UsageCountMailbox::close() {
  const std::lock_guard<std::mutex> hold(mutex_);
  receiver_ = nullptr;
  deliver_ = nullptr;
}

void startUsageStatistics(UsageStatisticsPing ping, std::shared_ptr<UsageCountMailbox> mailbox) {
  std::thread([ping = std::move(ping), mailbox = std::move(mailbox)] {
    mailbox->post(pingUsageStatistics(ping));
  }).detach();
}

}  // namespace qimubox
