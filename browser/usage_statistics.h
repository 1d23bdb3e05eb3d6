// The usage statistics: one use is reported to the statistics endpoint
// (retried while the endpoint does not confirm it) and the total it returns
// is shown in status bar part 7. All of it runs on a thread of its own that
// nobody waits for.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class QObject;

namespace qimubox {

// `text` without a leading UTF-8 byte-order mark (EF BB BF); a mark further
// in, or a second one, stays.
std::string stripUtf8Bom(const std::string& text);

struct UsageStatisticsPing {
  std::string baseUrl;  // statsBaseUrl: "http://" host "/hezi/tongji.php"
  // GETs a whole URL and returns the body, empty on failure.
  std::function<std::string(const std::string& url)> fetch;
  std::chrono::milliseconds retryWait{10000};
  int maxRetries = 3;
};

// Reports one use (baseUrl + "?var=times") until the reply is exactly "true"
// or the retries are spent, then asks once for the count
// (baseUrl + "?return=times3") and returns its reply without a leading
// byte-order mark. Blocks its thread for the waits.
std::string pingUsageStatistics(const UsageStatisticsPing& ping);

// Carries the count from the statistics thread to the thread of `receiver`.
// The receiver closes the mailbox before it goes; a count posted afterwards
// is dropped.
class UsageCountMailbox {
 public:
  UsageCountMailbox(QObject* receiver, std::function<void(const std::string& count)> deliver);
  // Any thread: queues `deliver` with the count on the receiver's thread.
  void post(const std::string& count);
  // Receiver's thread.
  void close();

 private:
  std::mutex mutex_;
  QObject* receiver_;
  std::function<void(const std::string&)> deliver_;
};

// Runs pingUsageStatistics on a detached thread that holds `ping` by value
// and the mailbox by shared ownership, so the program may end at any moment.
void startUsageStatistics(UsageStatisticsPing ping, std::shared_ptr<UsageCountMailbox> mailbox);

}  // namespace qimubox
